#include "gui/ValueListEditor.h"

#include "gui/Application.h"
#include "gui/Edit.h"
#include "gui/Frame3D.h"

#include <algorithm>
#include <cstdlib>

namespace morvane {
namespace {

// How far (pixels) the second press of a double click may stray from the first, as the form allows.
constexpr int kDoubleClickSlop = 4;

// The edit over a cell. The click that opened it may be the first half of a double click on the row; the
// second press then lands on this edit, a control of its own, so nobody else would count the two as a
// double click. Such a press goes to the grid as its double click instead of into the text.
class TCellEditor final : public TEdit {
public:
    using TEdit::TEdit;
    // Whether a press at this point (in the grid's coordinates) completes the click that opened the edit.
    std::function<bool(TPoint)> CompletesDoubleClick;
    std::function<void()> OnGridDoubleClick;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        if (button == TMouseButton::mbLeft && !(shift & ssDouble) && CompletesDoubleClick &&
            CompletesDoubleClick({Left() + x, Top() + y})) {
            if (OnGridDoubleClick) OnGridDoubleClick();
            return;
        }
        TEdit::MouseDown(button, shift, x, y);
    }
};

} // namespace

TValueListEditor::TValueListEditor(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 306, 300);
    SetColor(clWindow);
    SetTabStop(true);
    auto editor = std::make_unique<TCellEditor>(this);
    editor->CompletesDoubleClick = [this](TPoint at) { return PressCompletesOpeningClick(at); };
    editor->OnGridDoubleClick = [this] {
        // Nothing was typed between the two presses: the edit goes, and the row takes the double click.
        CancelEdit();
        DblClick();
    };
    editor_ = Own(std::move(editor));
    editor_->SetParent(this);
    editor_->SetBorderVisible(false);
    editor_->SetVisible(false);
    editor_->OnKeyDown = [this](TControl*, TKey& key, TShiftState) {
        if (key == VK_RETURN) {
            CommitEdit();
            key = 0;
        } else if (key == VK_ESCAPE) {
            CancelEdit();
            key = 0;
        }
    };
    editor_->OnExit = [this](TControl*) { CommitEdit(); };
    // A double click that lands on the open editor belongs to the grid's row.
    editor_->OnDblClick = [this](TControl*) { DblClick(); };
}

void TValueListEditor::SetValue(int row, const std::string& value) {
    if (row < 0 || row >= RowCount() || rows_[std::size_t(row)].second == value) return;
    rows_[std::size_t(row)].second = value;
    InvalidateRect(CellRect(1, row));
    if (OnStringsChange) OnStringsChange(this);
}

int TValueListEditor::InsertRow(const std::string& key, const std::string& value) {
    rows_.emplace_back(key, value);
    Invalidate();
    if (OnStringsChange) OnStringsChange(this);
    return RowCount() - 1;
}

void TValueListEditor::Clear() {
    CancelEdit();
    rows_.clear();
    row_ = -1;
    Invalidate();
    if (OnStringsChange) OnStringsChange(this);
}

void TValueListEditor::SetRow(int row) {
    row_ = row >= 0 && row < RowCount() ? row : -1;
    Invalidate();
}

void TValueListEditor::SetKeyColumnWidth(int width) {
    keyWidth_ = std::max(0, width);
    Invalidate();
}

void TValueListEditor::SetDefaultRowHeight(int height) {
    rowHeight_ = std::max(1, height);
    Invalidate();
}

void TValueListEditor::SetEditorMaxLength(std::size_t bytes) {
    editor_->SetMaxLength(bytes);
}

bool TValueListEditor::Editing() const {
    return editor_->Visible() && editRow_ >= 0;
}

TRect TValueListEditor::CellRect(int column, int row) const {
    const int top = row * rowHeight_;
    if (column == 0) return {0, top, keyWidth_, top + rowHeight_};
    return {keyWidth_, top, Width(), top + rowHeight_};
}

int TValueListEditor::RowAt(int y) const {
    const int row = y / rowHeight_;
    return y >= 0 && row < RowCount() ? row : -1;
}

void TValueListEditor::OpenEditor(int row) {
    editRow_ = row;
    const TRect cell = CellRect(1, row);
    editor_->SetBounds(cell.left + 1, cell.top + 1, cell.Width() - 2, cell.Height() - 2);
    editor_->SetText(Values(row));
    editor_->SelectAll();
    editor_->SetVisible(true);
    editor_->SetFocus();
}

void TValueListEditor::CommitEdit() {
    if (!Editing()) return;
    const int row = editRow_;
    editRow_ = -1;
    editor_->SetVisible(false);
    SetValue(row, editor_->Text());
}

void TValueListEditor::CancelEdit() {
    editRow_ = -1;
    editor_->SetVisible(false);
}

void TValueListEditor::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    const int row = RowAt(y);
    CommitEdit();
    // The first click only picks the row, so that a double click on a new row reaches the grid rather
    // than an editor opened under the mouse; a click on the current row's value opens the editor.
    const bool current = row >= 0 && row == row_;
    SetRow(row);
    openingClick_.reset();
    if (current && x >= keyWidth_ && !(shift & ssDouble)) {
        OpenEditor(row);
        if (HasApplication()) openingClick_ = TOpeningClick{Application().System().TickCount(), {x, y}};
    }
}

bool TValueListEditor::PressCompletesOpeningClick(TPoint at) {
    if (!openingClick_ || !HasApplication()) return false;
    const TOpeningClick click = *openingClick_;
    openingClick_.reset();
    TWindowSystem& system = Application().System();
    return system.TickCount() - click.tick <= system.DoubleClickTime() &&
           std::abs(at.x - click.at.x) <= kDoubleClickSlop && std::abs(at.y - click.at.y) <= kDoubleClickSlop;
}

void TValueListEditor::KeyDown(TKey& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == VK_UP && row_ > 0) SetRow(row_ - 1);
    if (key == VK_DOWN && row_ + 1 < RowCount()) SetRow(row_ + 1);
    if (key == VK_RETURN && row_ >= 0) OpenEditor(row_);
}

void TValueListEditor::KeyPress(std::string& gbkChar) {
    TCustomControl::KeyPress(gbkChar);
    if (gbkChar.empty() || row_ < 0 || static_cast<unsigned char>(gbkChar[0]) < 0x20) return;
    // Typing on a row starts editing it with that character in place of the old value.
    OpenEditor(row_);
    editor_->KeyPress(gbkChar);
}

void TValueListEditor::Paint(TCanvas& canvas) {
    canvas.FillRect(ClientRect(), ColorToRGB(Color()));
    canvas.Font().Assign(Font());
    canvas.Brush().style = TBrushStyle::bsClear;
    for (int row = 0; row < RowCount(); ++row) {
        for (int column = 0; column < 2; ++column) {
            const TRect cell = CellRect(column, row);
            if (cell.IsEmpty() || cell.top >= Height()) continue;
            TCanvasSaver saver(canvas);
            canvas.IntersectClipRect(cell);
            if (DefaultDrawing) {
                if (column == 0) canvas.FillRect(cell, ColorToRGB(clBtnFace));
                canvas.DrawText({cell.left + 2, cell.top, cell.right - 2, cell.bottom},
                                column == 0 ? Keys(row) : Values(row),
                                dtSingleLine | dtVCenter | dtEndEllipsis);
                canvas.FillRect({cell.left, cell.bottom - 1, cell.right, cell.bottom}, ColorToRGB(clBtnFace));
                canvas.FillRect({cell.right - 1, cell.top, cell.right, cell.bottom}, ColorToRGB(clBtnFace));
            }
            if (OnDrawCell) OnDrawCell(this, canvas, column, row, cell);
        }
    }
}

} // namespace morvane
