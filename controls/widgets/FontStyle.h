// The one font style type of the library, used by the colour button's font description and the
// market watch's SetListFont: 1 bold, 2 italic, 3 bold italic, any other value regular, and -1
// (CLR_FONT_NO_STYLE) for no style word at all. One definition, so that a host can include both
// controls in one source file.
#pragma once

enum eFontStyle : int
{
    CLR_FONT_NO_STYLE = -1,
    CLR_FONT_REGULAR = 0,
    CLR_FONT_BOLD = 1,
    CLR_FONT_ITALIC = 2,
    CLR_FONT_BOLD_ITALIC = 3,
    // The names the market watch's callers use.
    FONT_STYLE_REGULAR = CLR_FONT_REGULAR,
    FONT_STYLE_BOLD = CLR_FONT_BOLD,
    FONT_STYLE_ITALIC = CLR_FONT_ITALIC,
    FONT_STYLE_BOLD_ITALIC = CLR_FONT_BOLD_ITALIC
};
