// The creator's hyperlink: one line in the user's browser link colours and
// underline, the hover look while the pointer is over it, the hand cursor,
// and its target opened on a click. On the glass frame it glows.
#pragma once

#include "wizard/frame/Fonts.h"
#include "wizard/frame/Form.h"
#include "wizard/frame/ToolTip.h"
#include "wizard/frame/WebSite.h"

#include <functional>
#include <string>

// Its row: {.Name = L"lnkSite", .Kind = ControlKind::Custom, .Caption = ...,
// .ToolTipText = ..., .Factory = MakeDrawn<LinkControl>}.
class LinkControl : public DrawnControl {
  public:
    const wchar_t* KindName() const override { return L"LinkControl"; }
    bool RegistersOwnTool() const override { return true; }

    std::wstring Caption() const;
    void SetCaption(const std::wstring& text);
    FontDesc Font() const;
    void SetFont(const FontDesc& font);
    double FontSize() const;
    void SetFontSize(double points);
    const std::wstring& URL() const { return url_; }
    void SetURL(const std::wstring& url) { url_ = url; }
    bool Glass() const { return glass_; }
    void SetGlass(bool glass);
    // Sizes the control to its caption, with a margin of 100 twips on glass
    // and 3 otherwise.
    void AdjustSize();

    // The colours and underlines read from the browser settings.
    COLORREF LinkColour() const { return linkColour_; }
    COLORREF HoverColour() const { return hoverColour_; }
    bool Hovering() const { return hover_; }

    // Click comes before the target is opened.
    std::function<void()> Click, MouseHover, MouseOut;

  protected:
    void OnCreate() override;
    void Paint(HDC dc, const RECT& client) override;
    void MouseDown(int button, int shift, int x, int y) override;
    void MouseUp(int button, int shift, int x, int y) override;
    void MouseMove(int buttons, int shift, int x, int y) override;
    void CaptureChanged() override;
    bool SetCursorFor(int hitTest) override;
    std::optional<LRESULT> OtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void ReadBrowserSettings();
    SharedFont CurrentFont() const;
    bool GlowsOnGlass() const;
    void Redraw();
    void PointerAt(int x, int y);
    static void Raise(const std::function<void()>& handler);

    std::wstring url_;
    bool glass_ = false;
    COLORREF linkColour_ = RGB(0, 0, 255);
    COLORREF hoverColour_ = RGB(0, 0, 255);
    bool normalUnderline_ = true;
    bool hoverUnderline_ = true;
    bool hover_ = false;
    bool pressed_ = false; // the left button went down on the link
    ToolTipClass tip_;
};
