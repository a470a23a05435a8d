#!/usr/bin/python3
"""Uses the window through AT-SPI, as a screen reader would.

Run inside a private D-Bus session on an X display, with the window host
program as the only argument. Finds the six boxes by their accessible names,
fills them with a worked example, presses 予測 through the button's action,
and reads back the rewritten entries and the verdict.
"""

import http.server
import os
import subprocess
import sys
import threading
import time

import pyatspi

TYPED = {
    "今日の終値": "90円", "今日の出来高": "800",
    "昨日の終値": " 100", "昨日の出来高": "1,000",
    "一昨日の終値": "９５", "一昨日の出来高": "1200株",
}
REWRITTEN = {
    "今日の終値": "90", "今日の出来高": "800",
    "昨日の終値": "100", "昨日の出来高": "1000",
    "一昨日の終値": "95", "一昨日の出来高": "1200",
}
VERDICT = "明日は上がる確率が高いでしょう"
PROMPT = "終値と出来高を入力し、予測ボタンを押してください"


class Page(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        body = "<p>広告</p>".encode()
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def wait_for(what, probe, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.2)
    sys.exit(f"FAIL: timed out waiting for {what}")


def find_application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def nodes(root):
    stack = [root]
    while stack:
        node = stack.pop()
        yield node
        stack.extend(child for child in node if child is not None)


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def main():
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Page)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    root = f"http://127.0.0.1:{server.server_address[1]}/"
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    window = subprocess.Popen([sys.argv[1], root], stdin=subprocess.PIPE, env=env)
    try:
        app = wait_for("the window on the accessibility bus", lambda: find_application(window.pid))

        def boxes():
            found = {n.name: n for n in nodes(app) if n.getRole() == pyatspi.ROLE_TEXT}
            return found if set(TYPED) <= set(found) else None

        box = wait_for("the six boxes by name", boxes)
        labels = [n for n in nodes(app) if n.getRole() == pyatspi.ROLE_LABEL]
        verdict_line = next((n for n in labels if n.name == PROMPT), None)
        assert verdict_line is not None, "no label reads the prompt"
        link = next(n for n in labels if n.name == root)
        assert link.description == "ホームページを開きます", link.description

        for name, text in TYPED.items():
            box[name].queryEditableText().setTextContents(text)
        wait_for("the typed texts", lambda: all(text_of(box[n]) == t for n, t in TYPED.items()))

        button = next(n for n in nodes(app)
                      if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "予測")
        action = button.queryAction()
        action.doAction(next(i for i in range(action.nActions) if action.getName(i) == "Press"))

        wait_for("the verdict", lambda: verdict_line.name == VERDICT)
        for name, text in REWRITTEN.items():
            assert text_of(box[name]) == text, (name, text_of(box[name]))
        print("accessibility: the window was used through AT-SPI")
    finally:
        window.communicate(b"close\n", timeout=10)
        server.shutdown()


if __name__ == "__main__":
    main()
