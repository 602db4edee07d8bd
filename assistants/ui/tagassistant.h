// TfrmTagAssistant: builds the markup of one tag from form fields, or reads a selected tag back
// into them, shows the code in an editable box and hands the final text back. It never writes
// into the editor.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QString>

#include <functional>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;
class QStackedWidget;
class QButtonGroup;
class TColorBox;

// What the assistant sees of the editor.
struct TTagAssistantInput
{
    QString SelectedText;
    QString TagName; // of the selected tag, as written
    bool HasSelectedTag = false;
    QString DocumentPath; // empty or without a folder for a document never saved
};

class TfrmTagAssistant : public QDialog
{
    Q_OBJECT
public:
    TfrmTagAssistant(QWidget *owner, const TTagAssistantInput &input);

    // Shows the page modally and returns the code (empty when cancelled).
    QString ShowPage(int page);
    int CursorBack() const { return m_cursorBack; }
    // Reads the selected tag into its page and shows it; a tag no page edits is offered to the
    // paragraph page. Returns the code, empty when cancelled.
    QString EditTag();

    // For tests and the dialog's own buttons: switch pages without showing, regenerate, accept.
    void SelectPage(int page);
    void btnInsCodeClick();
    void btnApplyClick();
    QString Code() const { return m_code; }
    // Asks whether an unsupported tag goes to the paragraph page; tests replace it.
    std::function<bool(const QString &title, const QString &text)> AskParagraph;

private:
    void BuildPages();
    QWidget *BuildImagePage();
    QWidget *BuildHrPage();
    QWidget *BuildTitlePage();
    QWidget *BuildFontPage();
    QWidget *BuildParagraphPage();
    QWidget *BuildListPage();
    QWidget *BuildFormPage();
    QWidget *BuildTextAreaPage();
    QWidget *BuildBasePage();
    QWidget *BuildFramesetPage();
    QWidget *BuildFramePage();
    void Regenerate();
    void Watch(QObject *field);
    QString DocumentDir() const;
    void LoadPreview(const QString &file);
    void UpdateImagePreview();
    void UpdateHrPreview();
    void UpdateParagraphPreview();
    void FillFromTag(int page);

    TTagAssistantInput m_input;
    QString m_code;
    int m_cursorBack = 0;
    QString m_innerText;
    bool m_filling = false;

    QStackedWidget *m_pages = nullptr;
    QPlainTextEdit *m_codePrev = nullptr;
    QLabel *m_title = nullptr;

    // Image
    QLineEdit *m_imgSource = nullptr;
    QCheckBox *m_absPath = nullptr;
    QSpinBox *m_imgWidth = nullptr, *m_imgHeight = nullptr;
    QLineEdit *m_imgAlt = nullptr;
    QSpinBox *m_hSpace = nullptr, *m_vSpace = nullptr, *m_borderWidth = nullptr;
    QLineEdit *m_imgMap = nullptr;
    QCheckBox *m_isMap = nullptr;
    QComboBox *m_imgAlign = nullptr;
    QLabel *m_image = nullptr;
    QScrollArea *m_imageBox = nullptr;
    QCheckBox *m_imgStretch = nullptr;
    QPixmap m_picture;
    // HR
    QSpinBox *m_hrSize = nullptr, *m_hrWidth = nullptr;
    TColorBox *m_hrColor = nullptr;
    QComboBox *m_hrAlign = nullptr;
    QCheckBox *m_hrNoShade = nullptr;
    QGroupBox *m_hrGroup = nullptr;
    QFrame *m_hrPrev = nullptr;
    // Title
    QLineEdit *m_titleText = nullptr;
    // Font
    QComboBox *m_foFace = nullptr;
    TColorBox *m_foColor = nullptr;
    QLineEdit *m_foHtmlColor = nullptr;
    QComboBox *m_foSize = nullptr;
    // Paragraph
    QPlainTextEdit *m_paraPrev = nullptr;
    QButtonGroup *m_paraAlign = nullptr;
    // Quick list
    QButtonGroup *m_liType = nullptr;
    QPlainTextEdit *m_list = nullptr;
    QButtonGroup *m_numbering = nullptr;
    QGroupBox *m_numberingBox = nullptr;
    // Form
    QLineEdit *m_formAction = nullptr, *m_formTarget = nullptr;
    QComboBox *m_formMethod = nullptr;
    // TextArea
    QLineEdit *m_txtName = nullptr;
    QSpinBox *m_txtRows = nullptr, *m_txtCols = nullptr;
    QComboBox *m_txtWrap = nullptr;
    // Base target
    QLineEdit *m_baseHref = nullptr, *m_baseTarget = nullptr;
    // Frameset
    QLineEdit *m_fsRows = nullptr, *m_fsCols = nullptr;
    QComboBox *m_fsFrameBorder = nullptr;
    QSpinBox *m_fsBorder = nullptr, *m_fsSpacing = nullptr;
    TColorBox *m_fsColor = nullptr;
    // Frame
    QLineEdit *m_frSrc = nullptr, *m_frName = nullptr;
    QComboBox *m_frScroll = nullptr;
    QSpinBox *m_frSpacing = nullptr, *m_frMarginHeight = nullptr, *m_frMarginWidth = nullptr;
    QCheckBox *m_frNoResize = nullptr;
    QComboBox *m_frFrameBorder = nullptr;
    TColorBox *m_frColor = nullptr;
};
