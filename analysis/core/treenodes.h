// The outline the document tree shows: the nodes of a parse, with their texts, images and ranges.
#pragma once

#include "analysis/core/htmlparser.h"

#include <QList>
#include <QString>

#include <optional>

// The character range a node selects in the editor (1-based positions, line breaks count two).
struct TTreeNodeData
{
    qint32 StartPos = 0;
    qint32 EndPos = 0;
};

// Indexes into the tree's image list.
enum TTreeImage { tiRoot = 0, tiTag = 1, tiText = 2, tiParamName = 3, tiParamValue = 4 };

// One node, in the order the tree adds them; Level 0 is the root, 1 a tag or text, 2 a tag's
// parameter, 3 a parameter's value. Each node's parent is the nearest earlier node one level up.
struct TTreeNodeEntry
{
    int Level = 0;
    QString Text;
    int ImageIndex = tiRoot;
    std::optional<TTreeNodeData> Data; // none for the root
};

inline constexpr QStringView TreeRootText = u"HTML Document";

// Every tag, every parameter and value, and every text of two characters or more. End tags
// without parameters are left out when showEndTags is false; tags with an empty name never show.
QList<TTreeNodeEntry> BuildTreeNodes(const THTMLParser &parser, bool showEndTags);

// Parses the lines (the editor's lines, without their line breaks) and builds the nodes.
QList<TTreeNodeEntry> BuildTreeNodes(const QStringList &lines, bool showEndTags);
