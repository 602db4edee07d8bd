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
    for (const THPHTMLItem &item : parser.Items()) {
        if (item.IsTag()) {
            const THPHTMLTag tag = item.Tag();
            QString name = tag.Name();
            const THPHTMLParams params = tag.Params();
            if (params.empty()) {
                if (name.isEmpty() || (!showEndTags && name.startsWith(u'/')))
                    continue;
                nodes.append(TTreeNodeEntry{1, std::move(name), tiTag, RangeOf(tag)});
                continue;
            }
            // An end tag carrying parameters always shows, its parameters with it.
            nodes.append(TTreeNodeEntry{1, std::move(name), tiTag, RangeOf(tag)});
            for (const THPHTMLParam &param : params) {
                nodes.append(TTreeNodeEntry{2, param.Name(), tiParamName, RangeOf(param)});
                if (!param.Value().isEmpty())
                    nodes.append(TTreeNodeEntry{3, param.Value().toString(), tiParamValue, RangeOf(param)});
            }
        } else {
            // A lone blank or line feed left between tags is not worth a node.
            QString shown = item.Text().Text();
            if (shown.size() >= 2)
                nodes.append(TTreeNodeEntry{1, std::move(shown), tiText, RangeOf(item)});
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
