// How a control is sized and how a container places its children. The
// numeric values are part of the interface (scripts and callers store them).
#pragma once

namespace toolkit {

enum WidthMode { WidthMode_Static = 0, WidthMode_Auto = 1, WidthMode_Fill = 2, WidthMode_Expand = 3 };
enum HeightMode { HeightMode_Static = 0, HeightMode_Auto = 1, HeightMode_Fill = 2, HeightMode_Expand = 3 };

enum Layout { Layout_Horizontal = 0, Layout_Vertical = 1 };

enum XAlign { XAlign_Left = 0, XAlign_Right = 1, XAlign_Center = 2, XAlign_Spread = 3 };
enum YAlign { YAlign_Top = 0, YAlign_Bottom = 1, YAlign_Center = 2, YAlign_Spread = 3 };

// Logical pixels to screen pixels: value x resolution / 96, truncating.
int scaleToScreen(int value);

}  // namespace toolkit
