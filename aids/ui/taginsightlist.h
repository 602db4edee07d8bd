// lbTagInsight: the owner-drawn list floating over the editor that offers tag names or parameters.
#pragma once

#include <QListWidget>
#include <QPixmap>

#include <functional>

class TTagInsightList : public QListWidget
{
    Q_OBJECT
public:
    static constexpr int kItemHeight = 13;
    static constexpr int kVisibleItems = 10;

    explicit TTagInsightList(QWidget *parent = nullptr);

    // 3 while the list offers tag names, 0 while it offers parameters; also the image drawn.
    int Tag() const { return m_tag; }
    void SetTag(int value);
    // imlTagInsight: the image for a list mode.
    QPixmap Image(int index) const;

    void SetEntries(const QStringList &entries);
    // Pixel width of the longest entry as drawn (lower case).
    int LongestEntryWidth() const;
    // Size for the current entries: `textWidth` wide plus room for the scroll bar when needed.
    QSize SizeFor(int textWidth) const;

    // Space, Enter or a double click insert the selected entry.
    std::function<void()> OnInsert;
    // Escape or Left close the list.
    std::function<void()> OnClose;
    // A letter goes back to the editor, in the case it is to be typed in.
    std::function<void(QChar letter)> OnLetter;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_tag = 3;
    QPixmap m_nameImage;
    QPixmap m_parameterImage;
};
