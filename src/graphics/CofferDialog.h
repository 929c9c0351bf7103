#pragma once

#include "graphics/CofferRecords.h"
#include "gui/Form.h"

#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

class TButton;
class TEdit;
class TLabel;

// What the two coffer dialogs share: the account and coffer figures, the amount edit with its key
// filter, the cancel button, the refusals in a message box, and the request a confirmed dialog leaves
// for the table client to send. The window draws its own caption band, as the table's windows carry no
// system frame.
class TCofferDialog : public TForm {
public:
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;

    // Fills the dialog from the coffer reply (kept as a copy) and forgets any earlier request.
    void Prepare(const TCofferReply& reply);
    // The 61-byte coffer request; empty unless the player confirmed valid input.
    const std::vector<std::uint8_t>& Request() const { return request_; }
    // Where the machine id comes from (the platform's adapter address unless replaced, e.g. by a test).
    void SetMachineIdSource(TMachineIdSource source) { machineIdSource_ = std::move(source); }

    TLabel* Label1{nullptr};
    TLabel* Label2{nullptr};
    TLabel* Label3{nullptr};
    TEdit* EditUserBean{nullptr};
    TEdit* EditCofferBean{nullptr};
    TButton* ButtonCancel{nullptr};

protected:
    TCofferDialog(TComponent* owner, int clientWidth, int clientHeight, const std::string& amountCaption);

    // The amount edit of the derived dialog: at most 10 characters, digits only.
    TEdit* AddAmountEdit();
    TButton* AddButton(TWinControl* parent, int left, int top, const std::string& caption);
    TLabel* AddLabel(TWinControl* parent, int left, int top, const std::string& caption);
    TEdit* AddEdit(TWinControl* parent, int left, int top, int width);
    // Clears the fields the derived dialog adds.
    virtual void PrepareFields() = 0;
    // The edit that has the keyboard when the dialog opens.
    virtual TEdit* AmountEdit() const = 0;

    const TCofferReply& Reply() const { return reply_; }
    // A message box owned by the dialog; the dialog stays open.
    void Refuse(const std::string& text);
    // Keeps the request and closes the dialog with OK.
    void Accept(std::vector<std::uint8_t> request);
    std::string MachineId() const { return machineIdSource_ ? machineIdSource_() : std::string(); }

    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void CentreOnOwner();
    void ButtonCancelClick(TControl* sender);

    TCofferReply reply_;
    std::vector<std::uint8_t> request_;
    TMachineIdSource machineIdSource_{PlatformMachineId};
};

} // namespace morvane
