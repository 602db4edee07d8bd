// The tokenizer interface every highlighter offers the editor, and the attribute list it owns.
#include "highlight/core/highlighter.h"

#include "highlight/core/storekeyguard.h"

#include <algorithm>
#include <stdexcept>

namespace {

bool NameLess(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

} // namespace

TCustomHighlighter::TCustomHighlighter(QObject *owner) : QObject(owner) {}

TCustomHighlighter::~TCustomHighlighter() = default;

TRangeState TCustomHighlighter::ResetState()
{
    ResetRange();
    return GetRange();
}

TRangeState TCustomHighlighter::ScanLine(QStringView line, int lineIndex, TRangeState start)
{
    SetRange(start);
    SetLine(line, lineIndex);
    NextToEol();
    return GetRange();
}

bool TCustomHighlighter::IsIdentChar(QChar c) const
{
    // Characters beyond 8 bits count as the upper half of the 8-bit range does.
    const char16_t u = c.unicode();
    return u > 255 || GetIdentChars().test(u);
}

TRangeState TCustomHighlighter::TokenizeLineUpTo(QStringView line, int lineIndex, TRangeState start,
                                                 std::vector<THighlightToken> &tokens, int stopColumn)
{
    return TokenizeFrom(line, lineIndex, LineStartCheckpoint(start), tokens, stopColumn, -1, nullptr, 0);
}

TRangeState TCustomHighlighter::TokenizeFrom(QStringView line, int lineIndex, TTokenCheckpoint from,
                                             std::vector<THighlightToken> &tokens, int stopColumn, int keepFrom,
                                             std::vector<TTokenCheckpoint> *, int)
{
    Q_ASSERT(from.Column == 0);
    tokens.clear();
    SetRange(TRangeState(from.State));
    SetLine(line, lineIndex);
    while (!GetEol()) {
        const int pos = GetTokenPos();
        const int length = int(GetTokenView().size());
        if (pos + length > keepFrom)
            tokens.push_back({pos, length, GetTokenKind(), GetTokenAttribute()});
        if (pos + length > stopColumn)
            break;
        Next();
    }
    return GetRange();
}

void TCustomHighlighter::NextToEol()
{
    while (!GetEol())
        Next();
}

TIdentChars TCustomHighlighter::GetIdentChars() const
{
    TIdentChars chars;
    for (int c = 33; c <= 255; ++c)
        chars.set(c);
    return chars;
}

QString TCustomHighlighter::GetLanguageName() const
{
    return QStringLiteral("<Unknown>");
}

THighlighterCapabilities TCustomHighlighter::GetCapability() const
{
    return hcRegistry;
}

bool TCustomHighlighter::UseUserSettings(int)
{
    return false;
}

void TCustomHighlighter::EnumUserSettings(QStringList &list)
{
    list.clear();
}

int TCustomHighlighter::GetAttribCount() const
{
    return int(m_attributes.size());
}

THighlightAttributes *TCustomHighlighter::GetAttribute(int index) const
{
    if (index < 0 || index >= GetAttribCount())
        return nullptr;
    return m_attributes[size_t(index)].get();
}

THighlightAttributes *TCustomHighlighter::AddAttribute(std::unique_ptr<THighlightAttributes> attribute)
{
    if (!attribute)
        throw std::invalid_argument("AddAttribute: no attribute");
    const auto pos = std::lower_bound(
        m_attributes.begin(), m_attributes.end(), attribute->Name(),
        [](const std::unique_ptr<THighlightAttributes> &a, const QString &name) { return NameLess(a->Name(), name); });
    if (pos != m_attributes.end() && (*pos)->Name().compare(attribute->Name(), Qt::CaseInsensitive) == 0)
        throw std::invalid_argument(
            QStringLiteral("Duplicate highlighter attribute \"%1\"").arg(attribute->Name()).toStdString());
    attribute->OnChange = [this](THighlightAttributes *changed) { DefHighlightChange(changed); };
    THighlightAttributes *added = attribute.get();
    m_attributes.insert(pos, std::move(attribute));
    return added;
}

void TCustomHighlighter::SetAttributesOnChange(const std::function<void(THighlightAttributes *)> &hook)
{
    for (const auto &attribute : m_attributes)
        attribute->OnChange = hook;
}

TNotifyEventChain::THookId TCustomHighlighter::HookAttrChangeEvent(TNotifyEvent hook)
{
    return m_attrChangeHooks.Add(std::move(hook));
}

void TCustomHighlighter::UnhookAttrChangeEvent(TNotifyEventChain::THookId id)
{
    m_attrChangeHooks.Remove(id);
}

void TCustomHighlighter::DefHighlightChange(THighlightAttributes *)
{
    m_attrChangeHooks.Fire(this);
}

bool TCustomHighlighter::LoadFromRegistry(TSettingsStore &store, const QString &key)
{
    TStoreKeyGuard keyGuard(store);
    if (!store.OpenKey(key, false))
        return false;
    bool ok = true;
    for (const auto &attribute : m_attributes)
        ok = attribute->LoadFromRegistry(store) && ok;
    return ok;
}

bool TCustomHighlighter::SaveToRegistry(TSettingsStore &store, const QString &key)
{
    if (store.ReadOnly())
        return false;
    TStoreKeyGuard keyGuard(store);
    if (!store.OpenKey(key, true))
        return false;
    bool ok = true;
    for (const auto &attribute : m_attributes)
        ok = attribute->SaveToRegistry(store) && ok;
    return ok;
}
