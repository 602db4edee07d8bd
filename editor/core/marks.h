// TMark, TMarkList and the bookmark options: gutter marks and the ten bookmarks.
#pragma once

#include <QtGlobal>
#include <functional>
#include <memory>
#include <vector>

class TCodeEdit;

class TMark
{
public:
    explicit TMark(TCodeEdit *owner = nullptr) : m_edit(owner) {}
    virtual ~TMark() = default;

    int Line() const { return m_line; }
    virtual void SetLine(int value) { m_line = value; }
    int Column() const { return m_column; }
    virtual void SetColumn(int value) { m_column = value; }
    int ImageIndex() const { return m_imageIndex; }
    virtual void SetImageIndex(int value) { m_imageIndex = value; }
    TCodeEdit *Edit() const { return m_edit; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool value) { m_visible = value; }
    bool InternalImage() const { return m_internalImage; }
    void SetInternalImage(bool value) { m_internalImage = value; }
    int BookmarkNumber() const { return m_bookmarkNumber; }
    void SetBookmarkNumber(int value) { m_bookmarkNumber = value; }
    bool IsBookmark() const { return m_bookmarkNumber >= 0 && m_bookmarkNumber <= 9; }

private:
    int m_line = 1;
    int m_column = 1;
    int m_imageIndex = 0;
    TCodeEdit *m_edit;
    bool m_visible = false;
    bool m_internalImage = false;
    int m_bookmarkNumber = -1;
};

// The editor's marks; owns them. OnChange lets the editor repaint its gutter.
class TMarkList
{
public:
    std::function<void()> OnChange;
    // Fired before a mark is freed, so that the editor's bookmark table never keeps a dead pointer.
    std::function<void(TMark *mark)> OnRemoving;

    int Count() const { return int(m_marks.size()); }
    TMark *Items(int index) const { return m_marks.at(size_t(index)).get(); }
    void Add(std::unique_ptr<TMark> mark);
    // Removes and frees the mark; false when it is not in the list.
    bool Remove(TMark *mark);
    void Clear();
    // Marks on a 1-based line, in list order.
    std::vector<TMark *> GetMarksForLine(int line) const;
    void Changed()
    {
        if (OnChange)
            OnChange();
    }

private:
    std::vector<std::unique_ptr<TMark>> m_marks;
};

// TEditBookmarkOptions; the engine uses EnableKeys, the view the rest.
class TEditBookmarkOptions
{
public:
    std::function<void()> OnChange;

    bool EnableKeys() const { return m_enableKeys; }
    void SetEnableKeys(bool value) { Set(m_enableKeys, value); }
    bool GlyphsVisible() const { return m_glyphsVisible; }
    void SetGlyphsVisible(bool value) { Set(m_glyphsVisible, value); }
    int LeftMargin() const { return m_leftMargin; }
    void SetLeftMargin(int value) { Set(m_leftMargin, value); }
    int Xoffset() const { return m_xoffset; }
    void SetXoffset(int value) { Set(m_xoffset, value); }

private:
    template <typename T>
    void Set(T &field, T value)
    {
        if (field == value)
            return;
        field = value;
        if (OnChange)
            OnChange();
    }

    bool m_enableKeys = true;
    bool m_glyphsVisible = true;
    int m_leftMargin = 2;
    int m_xoffset = 12;
};
