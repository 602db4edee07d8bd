// The image viewer: one picture, its colours picked as HTML values, its pixel coordinates and
// its path inserted into the active document. Any number can be open; none blocks the window.
#pragma once

#include <QMainWindow>

#include <functional>

class QAction;
class QCheckBox;
class QLineEdit;
class TCommandHost;
class TPictureView;

class TfrmImgEdit : public QMainWindow
{
    Q_OBJECT
public:
    TfrmImgEdit(QWidget *parent, TCommandHost &host);

    // Loads a picture; a file that cannot be shown leaves the window as it was and says why.
    // Returns whether the picture was shown.
    bool LoadFromFile(const QString &path);
    QString FileName() const { return m_fileName; }
    TPictureView *Image() const { return m_image; }

    void OpenImageClick();
    void CopyToClipboardClick();
    void InsertColorClick();
    void CopyColorClick();
    void PasteFileNameClick();

    // Shows a failure to load; a message box by default, tests record it instead.
    std::function<void(const QString &text)> ShowError;

private:
    void PickColor(QPoint point);
    void InsertIntoEditor(const QString &text);

    TCommandHost &m_host;
    TPictureView *m_image;
    QCheckBox *m_checkBox1;
    QLineEdit *m_edtColor;
    QString m_fileName;
    bool m_picking = false;
};

// Opens a viewer on path, captioned "[Viewer] - " + path and sized to the picture, without
// blocking; the window frees itself when closed. It is returned also when the file could not be
// shown (it then says why and stays empty).
TfrmImgEdit *ShowImageViewer(QWidget *parent, const QString &path, TCommandHost &host);
