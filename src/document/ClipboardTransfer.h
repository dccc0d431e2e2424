// Copy of the AOI to the clipboard and Paste or Paste Into from it, with
// their failure texts.
#pragma once

class CClipboardPort;
class CImage;
class CNUVAKDoc;

// Puts the AOI of image on the clipboard.
void CopyAoiToClipboard(CImage& image, CClipboardPort& clipboard);

// Snapshot first, then the clipboard's bitmap replaces the image (into false)
// or goes centred into it (into true). False when the command stopped on a
// failure; true when the views are to show the result.
bool PasteFromClipboard(CNUVAKDoc& document, CClipboardPort& clipboard, bool into);
