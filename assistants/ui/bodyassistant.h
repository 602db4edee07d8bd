// TfrmBodyAssistant: the fields of a page's <body> tag (background, the five page colours with
// their preview, margins and scripts). It shows the fields it is given and hands them back; the
// caller reads and writes the tag.
#pragma once

#include "assistants/core/bodyassistantcode.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TColorBox;

class TfrmBodyAssistant : public QDialog
{
    Q_OBJECT
public:
    TfrmBodyAssistant(QWidget *owner, const BodyAssistant::TBodyFields &fields);

    BodyAssistant::TBodyFields Fields() const;

    // The colour dialog behind the five "..." panels and the open dialog of the image; tests
    // replace them.
    std::function<bool(std::uint32_t &rgb)> PickColor;
    std::function<QString(const QString &caption, const QString &filter)> ChooseImage;

    // What clicking panel c1..c5 (index 0..4) does.
    void PanelClick(int index);
    void btnBrowseClick();

private:
    void ListsChanged();
    void ShowPanels();

    BodyAssistant::TBodyFields m_fields; // what no field shows (the kept attributes)
    QLineEdit *m_image;
    QCheckBox *m_absPath;
    QCheckBox *m_watermark;
    std::array<TColorBox *, 5> m_lists{};
    std::array<QPushButton *, 5> m_panels{};
    std::array<std::uint32_t, 5> m_colors{};
    QFrame *m_preview;
    std::array<QLabel *, 4> m_previewLabels{};
    QSpinBox *m_marginTop;
    QSpinBox *m_marginLeft;
    QLineEdit *m_onLoad;
    QLineEdit *m_onUnLoad;
};
