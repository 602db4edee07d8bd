// The about window: logo, the product text, links to the home page and the toolkit's site, and
// the list of outside components.
#pragma once

#include "prefs/core/abouttext.h"

#include <QDialog>

#include <functional>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QUrl;

class TfrmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget *parent = nullptr);

    // The versions this copy runs on: Qt and, when built in, the browser engine.
    static AboutText::TComponentVersions RunningVersions();

    void Button2Click();
    void Label1Click();
    void Image2Click();

    // How links are opened and the component list is shown; tests replace them.
    std::function<void(const QUrl &url)> OpenUrl;
    std::function<void(const QString &caption, const QString &text)> ShowInformation;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SetLabelHot(bool hot);

    QLabel *m_image3;
    QGroupBox *m_groupBox1;
    QLabel *m_label1;
    QLabel *m_image1;
    QLabel *m_image2;
    QPlainTextEdit *m_memo1;
    QPushButton *m_button1;
    QPushButton *m_button2;
};
