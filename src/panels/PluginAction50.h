#pragma once

#include "panels/FloatingPanelParts.h"
#include "plugin/CustomPluginAction.h"
#include "plugin/PlatformSite.h"

#include <string>
#include <utility>
#include <vector>

namespace morvane {

class TImageList;
class TLovelyButton;
class TLovelyTextBtn;
class TValueListEditor;

// The panel "编辑动作" that edits the sixteen action templates (&1 … &16) kept in section "Action" of
// the option file: save, restore the defaults, open the page of more actions; a double click on a row
// puts its key into the chat input.
class TPluginAction50 : public TCustomPluginAction {
public:
    static constexpr int kActionCount = 16;
    // Templates are kept to this many bytes (never splitting a character).
    static constexpr std::size_t kTemplateLimit = 120;
    static constexpr const char* kSection = "Action";
    // Where "更多动作" goes when the option file names no page: the platform's web site.
    static constexpr const char* kDefaultActionUrl = kPlatformSite;

    explicit TPluginAction50(TComponent* owner);

    void ShowPanel() override;
    void DoOptionsLoaded() override;
    std::string DefaultTemplate(const std::string& key) const override;
    void Save();
    void RestoreDefaults();
    void MoreActions();
    void Close();
    // What a double click on a row does.
    void PickRow(int row);

    // name=value lines, "&1=..." … "&16=..."; copied.
    const std::vector<std::string>& Defaults() const { return defaults_; }
    void SetDefaults(const std::vector<std::string>& lines);
    // The factory templates the table form gives the panel.
    static std::vector<std::string> FactoryDefaults();
    static std::string ActionKey(int n);
    // The text cut to the template limit at a character boundary.
    static std::string CutTemplate(const std::string& text);

    bool Modified() const { return modified_; }
    TValueListEditor& Grid() const { return *grid_; }
    TLovelyTextBtn& SaveButton() const { return *save_; }
    TLovelyTextBtn& RestoreButton() const { return *restore_; }
    TLovelyTextBtn& MoreButton() const { return *more_; }
    TLovelyButton& CloseButton() const { return *close_; }
    void SetButtonImages(TImageList* images);
    void SetCloseImages(TImageList* images);
    void SetButtonBottomSpace(int value);
    void SetCloseTop(int value);
    void SetCloseRight(int value);
    void SetEditorColor(TColor color);

    void DoEnter() override;

protected:
    void Resized() override;

private:
    std::string DefaultOf(int n) const;
    void Relayout();
    void DrawCell(TCanvas& canvas, int column, int row, const TRect& rect);

    TValueListEditor* grid_{nullptr};
    TLovelyTextBtn* save_{nullptr};
    TLovelyTextBtn* restore_{nullptr};
    TLovelyTextBtn* more_{nullptr};
    TLovelyButton* close_{nullptr};
    std::vector<std::string> defaults_;
    bool modified_{false};
    bool loading_{false};
    int buttonBottomSpace_{8};
    int closeTop_{6};
    int closeRight_{10};
    TFocusReturn focus_;
};

} // namespace morvane
