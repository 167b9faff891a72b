// The drawing tools of the window objects: a font or a brush, made on demand.
#pragma once
#include <windows.h>
#include <cstdint>
#include "ui/LayoutRules.h"
#include "ui/Object.h"

constexpr uint32_t kColorWindowText = kSystemColor | COLOR_WINDOWTEXT;
constexpr uint32_t kColorButtonFace = kSystemColor | COLOR_BTNFACE;

// A font or a brush of one control. The GDI object is made on first use and
// dropped whenever a setting changes; the owner hears of each change.
class GraphicTool : public BaseObject {
  public:
    bool isFont = false;
    HGDIOBJ handle = nullptr;
    uint32_t color = kColorWindowText;
    LOGFONTA font{};
    EventRef<GraphicTool*> OnChange;

    void Destroy() override;

  protected:
    ~GraphicTool() override = default;
};

// The dots per inch the layer lays out for: the system's until the program sets
// the one of the monitor its window stands on. Fonts are made at this scale.
int LayoutDpi();
void SetLayoutDpi(int dpi);
// A size of the 96-dpi layout at LayoutDpi.
int32_t Px(int32_t px);
// Drops the font's GDI object so that it is made again at LayoutDpi.
void FontRescale(GraphicTool* font);

GraphicTool* CreateFontTool();
GraphicTool* CreateBrushTool(uint32_t color);
HGDIOBJ ToolHandle(GraphicTool* tool);
GraphicTool* FontSetStyle(GraphicTool* font, uint32_t bits);
GraphicTool* FontSetCharset(GraphicTool* font, int charset);
GraphicTool* FontSetName(GraphicTool* font, const char* name);
GraphicTool* FontSetHeight(GraphicTool* font, int height);
GraphicTool* ToolSetColor(GraphicTool* tool, uint32_t color);
// Copies colour and font settings of source into target and raises target's
// change notification; a missing source frees the target (result null).
GraphicTool* ToolCopy(GraphicTool* target, const GraphicTool* source);

// A colour value resolved to an RGB value (system colours through GetSysColor).
COLORREF ResolveColor(uint32_t color);
