// The image browser: thumbnails of a folder's pictures in rows of three, decoded on worker
// threads, each with a menu to edit, link, open, print, delete or inspect the file.
#pragma once

#include "prefs/core/thumbnaillayout.h"

#include <QDockWidget>
#include <QFileInfo>
#include <QList>
#include <QThreadPool>

#include <functional>
#include <memory>

class QAction;
class QDialog;
class QFrame;
class QLabel;
class QMenu;
class QPrinter;
class QScrollArea;
class TCommandHost;

class TfrmImgBrowser : public QDockWidget
{
    Q_OBJECT
public:
    // Where the layout's (0, 0) lies in the scroll box, so that the first frame is not cut off.
    static constexpr QPoint kOrigin{4, 4};

    TfrmImgBrowser(TCommandHost &host, QWidget *parent);
    ~TfrmImgBrowser() override;

    // Adds a thumbnail for entry at the next place; it shows a placeholder until its picture has
    // been decoded, and stays a placeholder for a file that is no readable picture.
    void AddImage(const QFileInfo &entry);
    // Removes every thumbnail and starts again at the top left; decodes still running are dropped.
    void Clear();
    // Clears and lists folder's pictures, adding them in batches so that a large folder keeps the
    // window responsive.
    void Fill(const QString &folder);

    QList<QLabel *> Thumbnails() const;
    QFrame *FrameOf(const QLabel *thumbnail) const;
    // Decodes and batches of the listing not yet finished.
    int Pending() const { return m_pending + int(m_toAdd.size()); }
    QMenu *ContextMenu() const { return m_pmImg; }
    QScrollArea *ScrollBox() const { return m_scbImages; }
    // Opens the context menu on thumbnail at pos (its own coordinates).
    void PopupMenu(QLabel *thumbnail, QPoint pos);
    // The file the context menu acts on.
    QString MenuFile() const { return m_menuFile; }
    void SetMenuFile(const QString &path) { m_menuFile = path; }

    void EditDirectlyClick();
    void InsertAsLinkClick();
    void OpenClick();
    void PrintClick();
    void DeleteClick();
    void PropertiesClick();

    // Lets the user set up the printer; the print dialog by default, tests print to a file.
    std::function<bool(QPrinter &printer)> ChoosePrinter;
    // Shows the properties dialog; through the host by default, tests look at it instead.
    std::function<void(QDialog &dialog)> ShowProperties;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct TThumb
    {
        QLabel *Label;
        QFrame *Frame;
    };
    void AddBatch(int generation);
    void Deliver(int generation, QLabel *label, const QImage &image);
    void RemoveThumbnail(const QString &path);

    TCommandHost &m_host;
    QScrollArea *m_scbImages;
    QWidget *m_box;
    QMenu *m_pmImg;
    QList<TThumb> m_thumbs;
    QFileInfoList m_toAdd;
    QString m_menuFile;
    int m_generation = 0;
    int m_pending = 0;
    ImageBrowser::TThumbLayout m_layout;
    QThreadPool m_pool;
};

// The file's properties: name, folder, size, type, pixel size, modification time and permissions.
std::unique_ptr<QDialog> CreatePropertiesDialog(const QString &path, QWidget *parent);
