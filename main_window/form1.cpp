#include "form1.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <limits>

#include "browser_panel.h"
#include "default_browser.h"
#include "forecast.h"
#include "hand_cursor.h"

namespace {

// The layout was drawn in twips; 15 twips make one pixel at 96 dots per inch,
// and Qt scales device-independent pixels on denser screens.
constexpr int Twips(int twips) { return twips / 15; }

QRect TwipsRect(int left, int top, int width, int height) {
    return {Twips(left), Twips(top), Twips(width), Twips(height)};
}

// "ＭＳ Ｐゴシック" where it exists, else a gothic with the same metrics, so the
// captions fit the layout as drawn.
QFont Gothic(int points) {
    QFont font;
    font.setFamilies({"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "IPAexGothic",
                      "Noto Sans CJK JP", "Droid Sans Fallback"});
    font.setPointSize(points);
    return font;
}

const QColor kNavy(0, 0, 64);
const QColor kLinkBlue(0, 0, 255);

constexpr int kRowStep = 420;  // twips between the rows of today, yesterday, the day before
const std::array<QString, 3> kDayNames = {"今日", "昨日", "一昨日"};

QString Indexed(const char* name, std::size_t day) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(day);
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

Form1::Form1(const QUrl& siteRoot, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      siteRoot_(siteRoot) {
    SetUpFrame();
    予想 = AddLabel("予想", {}, TwipsRect(495, 540, 3825, 180), Qt::AlignHCenter);
    ShowMessage("終値と出来高を入力し、予測ボタンを押してください");
    Label2 = AddLabel("Label2", "終値", TwipsRect(1170, 1260, 1065, 225), Qt::AlignHCenter);
    Label5 = AddLabel("Label5", "出来高", TwipsRect(2955, 1260, 750, 225), Qt::AlignHCenter);
    AddEntryRows();

    yosoku = new QPushButton("予測", this);
    yosoku->setObjectName("yosoku");
    yosoku->setGeometry(TwipsRect(2640, 3060, 1590, 330));
    yosoku->setAutoDefault(false);

    AddHomePageLink();

    Web = new BrowserPanel(this);
    Web->setObjectName("Web");
    Web->setGeometry(TwipsRect(4545, 180, 2625, 4065));

    for (std::size_t day = 0; day < forecast::kDays; ++day) {
        setTabOrder(owarine[day], dekidaka[day]);
        if (day + 1 < forecast::kDays) setTabOrder(dekidaka[day], owarine[day + 1]);
    }
    setTabOrder(dekidaka[2], yosoku);
    setTabOrder(yosoku, Web);
    owarine[0]->setFocus();

    connect(yosoku, &QPushButton::clicked, this, &Form1::yosoku_Click);
    Label3->installEventFilter(this);
    Form1_Load();
}

void Form1::SetUpFrame() {
    setObjectName("Form1");
    setWindowTitle("株価予想ソフト　ヨツバネ　Ver0.11");
    setWindowIcon(QIcon(":/icons/yotsubane-32.png"));
    setFixedSize(Twips(7335), Twips(4470));
    setFont(Gothic(9));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kNavy);
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);
}

// Today, yesterday and the day before: a day name, a close and a volume each.
void Form1::AddEntryRows() {
    for (std::size_t day = 0; day < forecast::kDays; ++day) {
        const int top = 1575 + kRowStep * static_cast<int>(day);
        Label1[day] = AddLabel(Indexed("Label1", day), kDayNames[day],
                               TwipsRect(270, top + 90, 750, 330), Qt::AlignRight);
        owarine[day] = AddEntry(Indexed("owarine", day), kDayNames[day] + "の終値",
                                TwipsRect(1065, top, 1485, 330));
        dekidaka[day] = AddEntry(Indexed("dekidaka", day), kDayNames[day] + "の出来高",
                                 TwipsRect(2640, top, 1590, 330));
    }
    QPalette white = owarine[0]->palette();
    white.setColor(QPalette::Base, Qt::white);
    owarine[0]->setPalette(white);
}

void Form1::AddHomePageLink() {
    Label3 = AddLabel("Label3", siteRoot_.toString(), TwipsRect(135, 3825, 4650, 375),
                      Qt::AlignHCenter);
    QFont font = Gothic(12);
    font.setUnderline(true);
    Label3->setFont(font);
    QPalette blue = Label3->palette();
    blue.setColor(QPalette::WindowText, kLinkBlue);
    Label3->setPalette(blue);
    Label3->setToolTip("ホームページを開きます");
    Label3->setAccessibleDescription("ホームページを開きます");
    Label3->setCursor(PointingHandCursor());
}

QLabel* Form1::AddLabel(const QString& name, const QString& caption, const QRect& geometry,
                        Qt::Alignment alignment) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

QLineEdit* Form1::AddEntry(const QString& name, const QString& accessibleName,
                           const QRect& geometry) {
    auto* entry = new QLineEdit(this);
    entry->setObjectName(name);
    entry->setAccessibleName(accessibleName);
    entry->setGeometry(geometry);
    entry->setAlignment(Qt::AlignCenter);
    // QLineEdit would otherwise cut what is typed or pasted at 32767 characters.
    entry->setMaxLength(std::numeric_limits<int>::max());
    return entry;
}

// The label keeps its left edge and takes the size of each new text.
void Form1::ShowMessage(const QString& text) {
    予想->setText(text);
    予想->adjustSize();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label3 && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // Like a button: a click counts only if released over the label.
        if (mouse->button() == Qt::LeftButton && Label3->rect().contains(mouse->position().toPoint())) {
            Label3_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::Form1_Load() {
    Web->Navigate(siteRoot_.resolved(QUrl("koukoku.html")));
}

void Form1::yosoku_Click() {
    forecast::ForecastEntries entries;
    for (std::size_t day = 0; day < forecast::kDays; ++day) {
        entries.owarine[day] = owarine[day]->text().toStdString();
        entries.dekidaka[day] = dekidaka[day]->text().toStdString();
    }
    const forecast::ForecastEntries typed = entries;
    const forecast::ForecastResult result = forecast::RunForecast(entries);

    // An entry the engine left as it was keeps its exact text, undo history
    // and cursor.
    for (std::size_t day = 0; day < forecast::kDays; ++day) {
        if (entries.owarine[day] != typed.owarine[day]) {
            owarine[day]->setText(FromUtf8(entries.owarine[day]));
        }
        if (entries.dekidaka[day] != typed.dekidaka[day]) {
            dekidaka[day]->setText(FromUtf8(entries.dekidaka[day]));
        }
    }
    ShowMessage(FromUtf8(result.text));
}

void Form1::Label3_Click() {
    OpenInDefaultBrowser(siteRoot_);
}
