// Dialog-less image commands and the operation rows that carry them out.
#include "document/DocumentCommands.h"

#include <array>

#include "document/CommandIds.h"
#include "series/Operations.h"

namespace {

constexpr std::array kCommands = {
    DocumentCommand{cmd::Rgb, "RGB", false, false},
    DocumentCommand{cmd::Grayscale, "Grayscale", false, false},
    DocumentCommand{cmd::Crop, "Crop", false, true},
    DocumentCommand{cmd::Invert, "Invert", false, false},
    DocumentCommand{cmd::FlipHorizontal, "Flip Horizontal", true, false},
    DocumentCommand{cmd::FlipVertical, "Flip Vertical", true, false},
    DocumentCommand{cmd::Sobel, "Sobel", true, true},
};

}  // namespace

const DocumentCommand* FindDocumentCommand(int id)
{
    for (const DocumentCommand& command : kCommands)
        if (command.id == id) return &command;
    return nullptr;
}

const Operation* CommandOperation(const DocumentCommand& command) { return FindOperation(command.operation); }
