// The recipe reader fed raw bytes. A refused recipe names the file and a line
// that exists; an accepted one is written back as one line per step, and that
// text reads back as the same steps, written the same again.
#include <algorithm>
#include <cstdio>

#include "FuzzSupport.h"
#include "platform/Format.h"
#include "series/Recipe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    std::vector<OperationStep> steps;
    try {
        steps = ParseRecipe(text, "in.nrcp");
    } catch (const RecipeError& refusal) {
        const size_t lines = std::max<size_t>(1, std::count(text.begin(), text.end(), '\n') + 1);
        int line = 0;
        if (std::sscanf(refusal.message.c_str(), "in.nrcp:%d: ", &line) != 1 || line < 1 ||
            static_cast<size_t>(line) > lines)
            FuzzFail("a refusal without its line: " + refusal.message);
        return 0;
    }
    if (steps.empty()) FuzzFail("an accepted recipe without steps");
    const std::string written = RecipeText(steps);
    std::vector<OperationStep> again;
    try {
        again = ParseRecipe(written, "in.nrcp");
    } catch (const RecipeError& refusal) {
        FuzzFail("the written recipe was refused: " + refusal.message + "\n" + written);
    }
    if (again.size() != steps.size())
        FuzzFail(platform::Format("%zu steps read back as %zu", steps.size(), again.size()));
    if (RecipeText(again) != written) FuzzFail("the written recipe reads back as other steps:\n" + written);
    return 0;
}
