// The application's image calculations: candidates, the dialog, and the
// result in a new document even when the calculation failed.
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/NUVAKApp.h"
#include "dialogs/ImageCalculationsDlg.h"
#include "document/NUVAKDoc.h"
#include "platform/UserInterface.h"

void CNUVAKApp::PerformImageCalculations(int operation)
{
    CChildFrame* active = mainFrame_->ActiveChild();
    if (active == nullptr) return;
    std::vector<OpenImage> open;
    for (CChildFrame* child : mainFrame_->Children())
        open.push_back({child->GetDocument().GetTitle(), &child->GetDocument().image, child->GetDocument().GetPathName()});
    const std::vector<int> candidates = CalculationCandidates(open, active->GetDocument().image);

    ImageCalculationsDialogModel choice;
    choice.operation = operation;
    choice.operandTitles = OperandTitles(open, candidates);
    CImageCalculationsDlg dialog(choice, mainFrame_.get());
    if (dialog.exec() != QDialog::Accepted) return;

    CImage result;
    try {
        if (PerformImageCalculation(open, candidates, choice, result) == CalculationOutcome::Refused) return;
    } catch (const platform::UserAbort&) {
        return;  // a copy without memory, already reported
    }
    // The operation and operands are known: an unknown one was refused above.
    const std::string& operationName = ImageCalculationsDialogModel::OperationEntries().at(choice.operation);
    const std::string& first = choice.operandTitles.at(choice.firstOperand);
    const std::string& second = choice.operandTitles.at(choice.secondOperand);
    // Named after its first operand, as Extract RGB's planes are after their source.
    CChildFrame* made = CreateNewDocument(first + " - " + operationName + " " + second);
    CNUVAKDoc& document = made->GetDocument();
    document.image = std::move(result);
    document.RecordEntry(HistoryEntry{{}, operationName + " of " + first + " and " + second});
    document.SetModifiedFlag();
    document.UpdateAllViews();
}
