// The view's clipboard commands over the system clipboard.
#include "app/NUVAKView.h"
#include "app/QtClipboard.h"
#include "document/ClipboardTransfer.h"
#include "document/NUVAKDoc.h"

void CNUVAKView::OnEditCopy()
{
    QtClipboard clipboard(viewport()->depth());
    CopyAoiToClipboard(document_.image, clipboard);
}

void CNUVAKView::OnEditPaste() { Paste(false); }

void CNUVAKView::OnEditPasteInto() { Paste(true); }

void CNUVAKView::Paste(bool into)
{
    QtClipboard clipboard(viewport()->depth());
    if (!PasteFromClipboard(document_, clipboard, into)) return;
    // A replaced image is shown 1:1; one pasted into keeps the view's zoom.
    if (!into) zoomFactor_ = 1.0f;
    document_.UpdateAllViews();
}
