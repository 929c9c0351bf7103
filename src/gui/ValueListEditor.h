#pragma once

#include "gui/WinControl.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace morvane {

class TCanvas;
class TEdit;

// A grid of key/value rows. Clicking the value of the current row (or Enter or typing while the grid has
// the focus) opens an in-place edit over the cell; Enter or leaving the edit stores the text (raising
// OnStringsChange), Escape drops it. OnDrawCell paints after the default
// cell drawing, or alone when DefaultDrawing is off; it gets the canvas clipped to the cell, in the grid's
// font with a clear brush, and what it changes ends with the cell.
class TValueListEditor : public TCustomControl {
public:
    using TDrawCellEvent = std::function<void(TValueListEditor* sender, TCanvas& canvas, int column, int row,
                                              const TRect& rect)>;

    explicit TValueListEditor(TComponent* owner);

    int RowCount() const { return int(rows_.size()); }
    const std::string& Keys(int row) const { return rows_.at(std::size_t(row)).first; }
    const std::string& Values(int row) const { return rows_.at(std::size_t(row)).second; }
    void SetValue(int row, const std::string& value);
    int InsertRow(const std::string& key, const std::string& value);
    void Clear();
    // The row of the last click or edit, -1 for none.
    int Row() const { return row_; }
    void SetRow(int row);

    int KeyColumnWidth() const { return keyWidth_; }
    void SetKeyColumnWidth(int width);
    int DefaultRowHeight() const { return rowHeight_; }
    void SetDefaultRowHeight(int height);
    bool DefaultDrawing{true};
    void SetEditorMaxLength(std::size_t bytes);
    TEdit& Editor() const { return *editor_; }
    bool Editing() const;
    void CommitEdit();
    void CancelEdit();

    TRect CellRect(int column, int row) const;
    int RowAt(int y) const;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(TKey& key, TShiftState shift) override;
    void KeyPress(std::string& gbkChar) override;

    TDrawCellEvent OnDrawCell;
    TNotifyEvent OnStringsChange;

protected:
    void Paint(TCanvas& canvas) override;

private:
    // The press that opened the editor: a second press on the editor soon after is the row's double click.
    struct TOpeningClick {
        std::uint32_t tick{0};
        TPoint at;
    };

    void OpenEditor(int row);
    bool PressCompletesOpeningClick(TPoint at);

    std::vector<std::pair<std::string, std::string>> rows_;
    int row_{-1};
    int editRow_{-1};
    int keyWidth_{100};
    int rowHeight_{18};
    TEdit* editor_{nullptr};
    std::optional<TOpeningClick> openingClick_;
};

} // namespace morvane
