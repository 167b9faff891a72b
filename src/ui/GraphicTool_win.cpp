// The font and brush tools of the controls.
#include "ui/GraphicTool.h"
#include <cstring>

COLORREF ResolveColor(uint32_t color) {
    if (IsSystemColor(color)) return GetSysColor(SystemColorIndex(color));
    return color;
}

void GraphicTool::Destroy() {
    if (handle) DeleteObject(handle);
    handle = nullptr;
    DestroyBasePart();
    delete this;
}

GraphicTool* CreateFontTool() {
    auto* t = new GraphicTool();
    t->isFont = true;
    t->color = kColorWindowText;
    t->font.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(t->font.lfFaceName, "MS Sans Serif");
    return t;
}

GraphicTool* CreateBrushTool(uint32_t color) {
    auto* t = new GraphicTool();
    t->color = color;
    return t;
}

namespace {
void ToolChanged(GraphicTool* tool);
int layoutDpi;

// The cell height of a font of the system's own size (height 0) at 96 dpi: what a
// height-0 font is scaled from.
int32_t SystemCellHeight96(const LOGFONTA& font) {
    LOGFONTA f = font;
    f.lfHeight = 0;
    HFONT h = CreateFontIndirectA(&f);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, h);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(h);
    return tm.tmHeight > 0 ? tm.tmHeight : 13;
}
} // namespace

int LayoutDpi() {
    if (!layoutDpi) {
        HDC dc = GetDC(nullptr);
        layoutDpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : kBaseDpi;
        ReleaseDC(nullptr, dc);
        if (layoutDpi <= 0) layoutDpi = kBaseDpi;
    }
    return layoutDpi;
}

void SetLayoutDpi(int dpi) {
    layoutDpi = dpi > 0 ? dpi : kBaseDpi;
}

int32_t Px(int32_t px) {
    return ScalePixels(px, LayoutDpi());
}

void FontRescale(GraphicTool* font) {
    if (font && font->isFont && font->handle) ToolChanged(font);
}

HGDIOBJ ToolHandle(GraphicTool* tool) {
    if (!tool) return nullptr;
    if (!tool->handle) {
        if (tool->isFont && LayoutDpi() != kBaseDpi) {
            LOGFONTA scaled = tool->font;
            scaled.lfHeight = ScaleFontHeight(scaled.lfHeight, LayoutDpi(),
                                              scaled.lfHeight ? 0 : SystemCellHeight96(scaled));
            tool->handle = CreateFontIndirectA(&scaled);
        } else if (tool->isFont)
            tool->handle = CreateFontIndirectA(&tool->font);
        else
            tool->handle = CreateSolidBrush(ResolveColor(tool->color));
    }
    return tool->handle;
}

namespace {
// A setting changed: the owner applies the new tool before the old GDI object
// goes, so a window never holds a deleted font.
void ToolChanged(GraphicTool* tool) {
    HGDIOBJ old = tool->handle;
    tool->handle = nullptr;
    tool->OnChange(tool);
    if (old) DeleteObject(old);
}
} // namespace

GraphicTool* FontSetStyle(GraphicTool* font, uint32_t bits) {
    if (!font) return font;
    FontAttributes a{font->font.lfWeight, font->font.lfItalic, font->font.lfUnderline,
                     font->font.lfStrikeOut};
    if (!ApplyFontStyle(a, bits)) return font;
    font->font.lfWeight = a.weight;
    font->font.lfItalic = a.italic;
    font->font.lfUnderline = a.underline;
    font->font.lfStrikeOut = a.strikeOut;
    ToolChanged(font);
    return font;
}

GraphicTool* FontSetCharset(GraphicTool* font, int charset) {
    if (!font || font->font.lfCharSet == static_cast<BYTE>(charset)) return font;
    font->font.lfCharSet = static_cast<BYTE>(charset);
    ToolChanged(font);
    return font;
}

GraphicTool* FontSetName(GraphicTool* font, const char* name) {
    if (!font || !name) return font;
    char face[LF_FACESIZE] = {};
    std::strncpy(face, name, LF_FACESIZE - 1);
    if (std::strcmp(face, font->font.lfFaceName) == 0) return font;
    std::memcpy(font->font.lfFaceName, face, LF_FACESIZE);
    ToolChanged(font);
    return font;
}

GraphicTool* FontSetHeight(GraphicTool* font, int height) {
    if (!font || font->font.lfHeight == height) return font;
    font->font.lfHeight = height;
    ToolChanged(font);
    return font;
}

GraphicTool* ToolSetColor(GraphicTool* tool, uint32_t color) {
    if (!tool || tool->color == color) return tool;
    tool->color = color;
    ToolChanged(tool);
    return tool;
}

GraphicTool* ToolCopy(GraphicTool* target, const GraphicTool* source) {
    if (!target) return nullptr;
    if (!source) {
        FreeObject(target);
        return nullptr;
    }
    target->color = source->color;
    target->font = source->font;
    ToolChanged(target);
    return target;
}
