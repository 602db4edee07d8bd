// TMyRichEdit: the editor of a document tab, the engine plus the tag scanners built on it.
#pragma once

#include "editor/core/codeedit.h"

class TMyRichEdit : public TCodeEdit
{
    Q_OBJECT
public:
    using TCodeEdit::TCodeEdit;
};
