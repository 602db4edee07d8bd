// The outline the document tree shows: the nodes of a parse, with their texts, images and ranges.
#include "analysis/core/treenodes.h"

namespace {

template <typename Record>
TTreeNodeData RangeOf(const Record &record)
{
    return {qint32(record.StartPos()), qint32(record.EndPos())};
}

} // namespace

QList<TTreeNodeEntry> BuildTreeNodes(const THTMLParser &parser, bool showEndTags)
{
    QList<TTreeNodeEntry> nodes;
    nodes.append(TTreeNodeEntry{0, TreeRootText.toString(), tiRoot, std::nullopt});
    for (const auto &item : parser.Items()) {
        if (const auto *tag = dynamic_cast<const THPHTMLTag *>(item.get())) {
            QString name = tag->Name();
            if (tag->Params().empty()) {
                if (name.isEmpty() || (!showEndTags && name.startsWith(u'/')))
                    continue;
                nodes.append(TTreeNodeEntry{1, std::move(name), tiTag, RangeOf(*tag)});
                continue;
            }
            // An end tag carrying parameters always shows, its parameters with it.
            nodes.append(TTreeNodeEntry{1, std::move(name), tiTag, RangeOf(*tag)});
            for (const THPHTMLParam &param : tag->Params()) {
                nodes.append(TTreeNodeEntry{2, param.Name(), tiParamName, RangeOf(param)});
                if (!param.Value().isEmpty())
                    nodes.append(TTreeNodeEntry{3, param.Value().toString(), tiParamValue, RangeOf(param)});
            }
        } else if (const auto *text = dynamic_cast<const THPHTMLText *>(item.get())) {
            // A lone blank or line feed left between tags is not worth a node.
            QString shown = text->Text();
            if (shown.size() >= 2)
                nodes.append(TTreeNodeEntry{1, std::move(shown), tiText, RangeOf(*text)});
        }
    }
    return nodes;
}

QList<TTreeNodeEntry> BuildTreeNodes(const QStringList &lines, bool showEndTags)
{
    THTMLParser parser;
    parser.SetLines(lines);
    parser.Execute();
    return BuildTreeNodes(parser, showEndTags);
}
