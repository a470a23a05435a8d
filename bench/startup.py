#!/usr/bin/python3
"""Start-up of the window program beside a bare Qt window.

Run on an X display, for instance:  xvfb-run -a /usr/bin/python3 bench/startup.py build
Measures, over several runs each, the time from the start of the process to
its window's first paint, and the resident memory of the program's process
and of its web-engine processes once the advertisement page has loaded,
beside the bare window's. RUNS=N in the environment sets the number of runs.
"""

import http.server
import os
import statistics
import subprocess
import sys
import threading
import time

RUNS = int(os.environ.get("RUNS", "10"))
loaded = threading.Event()


class Site(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        if self.path == "/loaded.png":
            loaded.set()
        body = "<p>広告</p><img src='/loaded.png'>".encode()
        self.send_response(200 if self.path == "/koukoku.html" else 404)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def parents():
    found = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/stat") as stat:
                found[int(pid)] = int(stat.read().rsplit(")", 1)[1].split()[1])
        except OSError:
            pass
    return found


def descendants(pid):
    parent_of = parents()
    family, frontier = [], [pid]
    while frontier:
        children = [p for p, parent in parent_of.items() if parent in frontier]
        family += children
        frontier = children
    return family


def rss_mib(pid):
    try:
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1]) / 1024
    except OSError:
        pass
    return 0.0


def run(command, page):
    loaded.clear()
    start = time.monotonic_ns()
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    try:
        word, when = process.stdout.readline().split()
        assert word == b"first-paint", word
        first_paint_ms = (int(when) - start) / 1e6
        if page and not loaded.wait(30):
            sys.exit("the advertisement page did not load")
        time.sleep(1)
        return first_paint_ms, rss_mib(process.pid), sum(map(rss_mib, descendants(process.pid)))
    finally:
        process.terminate()
        process.wait()


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    if os.geteuid() == 0:
        os.environ["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Site)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    root = f"http://127.0.0.1:{server.server_address[1]}/"
    window = [f"{build}/bench/startup_window", root]
    bare = [f"{build}/bench/bare_window"]

    results = {"yotsubane": [], "bare": []}
    for _ in range(RUNS):
        results["bare"].append(run(bare, page=False))
        results["yotsubane"].append(run(window, page=True))
    server.shutdown()

    median = {name: [statistics.median(column) for column in zip(*runs)]
              for name, runs in results.items()}
    print(f"runs: {RUNS} each, medians")
    print(f"first paint   yotsubane {median['yotsubane'][0]:7.1f} ms   "
          f"bare window {median['bare'][0]:7.1f} ms   ratio {median['yotsubane'][0] / median['bare'][0]:.2f}")
    print(f"resident      yotsubane {median['yotsubane'][1]:7.1f} MiB  "
          f"bare window {median['bare'][1]:7.1f} MiB")
    print(f"web engine    {median['yotsubane'][2]:7.1f} MiB in its helper processes")


if __name__ == "__main__":
    main()
