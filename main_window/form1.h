#pragma once

// The one window of ヨツバネ: six entries for the closing prices and volumes
// of the last three trading days, the 予測 button, the line that shows the
// verdict, the link to the publisher's home page and the advertisement panel.
// Positions come from a layout drawn in twips; the window does no arithmetic
// of its own and leaves the forecast to the engine.

#include <QUrl>
#include <QWidget>
#include <array>

class BrowserPanel;
class QLabel;
class QLineEdit;
class QPushButton;

class Form1 : public QWidget {
    Q_OBJECT

public:
    // `siteRoot` is the publisher's home page, such as "http://example.com/";
    // the advertisement page is koukoku.html beside it.
    explicit Form1(const QUrl& siteRoot, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpFrame();
    void AddEntryRows();
    void AddHomePageLink();
    QLabel* AddLabel(const QString& name, const QString& caption, const QRect& geometry,
                     Qt::Alignment alignment);
    QLineEdit* AddEntry(const QString& name, const QString& accessibleName, const QRect& geometry);
    void ShowMessage(const QString& text);

    void Form1_Load();
    void yosoku_Click();
    void Label3_Click();

    const QUrl siteRoot_;
    std::array<QLineEdit*, 3> owarine{};
    std::array<QLineEdit*, 3> dekidaka{};
    std::array<QLabel*, 3> Label1{};
    QLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* 予想 = nullptr;
    QPushButton* yosoku = nullptr;
    QLabel* Label3 = nullptr;
    BrowserPanel* Web = nullptr;
};
