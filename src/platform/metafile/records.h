#pragma once
// The records of the format, by function number and name: the one table of them.
// scripts/metafile-records.py reads it to write fuzz/metafile.dict and
// content/tools/wmfrecords.py, and the suite checks that those are current.

#include <QtGlobal>

// clang-format off
#define LUMORA_WMF_RECORDS(X) \
    X(Eof, 0x0000, "EOF")                                     \
    X(SaveDC, 0x001E, "SaveDC")                               \
    X(RealizePalette, 0x0035, "RealizePalette")               \
    X(SetPalEntries, 0x0037, "SetPalEntries")                 \
    X(CreatePalette, 0x00F7, "CreatePalette")                 \
    X(SetBkMode, 0x0102, "SetBkMode")                         \
    X(SetMapMode, 0x0103, "SetMapMode")                       \
    X(SetRop2, 0x0104, "SetROP2")                             \
    X(SetRelAbs, 0x0105, "SetRelAbs")                         \
    X(SetPolyFillMode, 0x0106, "SetPolyFillMode")             \
    X(SetStretchBltMode, 0x0107, "SetStretchBltMode")         \
    X(SetTextCharExtra, 0x0108, "SetTextCharExtra")           \
    X(RestoreDC, 0x0127, "RestoreDC")                         \
    X(InvertRegion, 0x012A, "InvertRegion")                   \
    X(PaintRegion, 0x012B, "PaintRegion")                     \
    X(SelectClipRegion, 0x012C, "SelectClipRegion")           \
    X(SelectObject, 0x012D, "SelectObject")                   \
    X(SetTextAlign, 0x012E, "SetTextAlign")                   \
    X(ResizePalette, 0x0139, "ResizePalette")                 \
    X(DibCreatePatternBrush, 0x0142, "DIBCreatePatternBrush") \
    X(SetLayout, 0x0149, "SetLayout")                         \
    X(DeleteObject, 0x01F0, "DeleteObject")                   \
    X(CreatePatternBrush, 0x01F9, "CreatePatternBrush")       \
    X(SetBkColor, 0x0201, "SetBkColor")                       \
    X(SetTextColor, 0x0209, "SetTextColor")                   \
    X(SetTextJustification, 0x020A, "SetTextJustification")   \
    X(SetWindowOrg, 0x020B, "SetWindowOrg")                   \
    X(SetWindowExt, 0x020C, "SetWindowExt")                   \
    X(SetViewportOrg, 0x020D, "SetViewportOrg")               \
    X(SetViewportExt, 0x020E, "SetViewportExt")               \
    X(OffsetWindowOrg, 0x020F, "OffsetWindowOrg")             \
    X(OffsetViewportOrg, 0x0211, "OffsetViewportOrg")         \
    X(LineTo, 0x0213, "LineTo")                               \
    X(MoveTo, 0x0214, "MoveTo")                               \
    X(OffsetClipRgn, 0x0220, "OffsetClipRgn")                 \
    X(FillRegion, 0x0228, "FillRegion")                       \
    X(SetMapperFlags, 0x0231, "SetMapperFlags")               \
    X(SelectPalette, 0x0234, "SelectPalette")                 \
    X(CreatePenIndirect, 0x02FA, "CreatePenIndirect")         \
    X(CreateFontIndirect, 0x02FB, "CreateFontIndirect")       \
    X(CreateBrushIndirect, 0x02FC, "CreateBrushIndirect")     \
    X(Polygon, 0x0324, "Polygon")                             \
    X(Polyline, 0x0325, "Polyline")                           \
    X(ScaleWindowExt, 0x0410, "ScaleWindowExt")               \
    X(ScaleViewportExt, 0x0412, "ScaleViewportExt")           \
    X(ExcludeClipRect, 0x0415, "ExcludeClipRect")             \
    X(IntersectClipRect, 0x0416, "IntersectClipRect")         \
    X(Ellipse, 0x0418, "Ellipse")                             \
    X(FloodFill, 0x0419, "FloodFill")                         \
    X(Rectangle, 0x041B, "Rectangle")                         \
    X(SetPixel, 0x041F, "SetPixel")                           \
    X(FrameRegion, 0x0429, "FrameRegion")                     \
    X(AnimatePalette, 0x0436, "AnimatePalette")               \
    X(TextOut, 0x0521, "TextOut")                             \
    X(PolyPolygon, 0x0538, "PolyPolygon")                     \
    X(ExtFloodFill, 0x0548, "ExtFloodFill")                   \
    X(RoundRect, 0x061C, "RoundRect")                         \
    X(PatBlt, 0x061D, "PatBlt")                               \
    X(Escape, 0x0626, "Escape")                               \
    X(CreateRegion, 0x06FF, "CreateRegion")                   \
    X(Arc, 0x0817, "Arc")                                     \
    X(Pie, 0x081A, "Pie")                                     \
    X(Chord, 0x0830, "Chord")                                 \
    X(BitBlt, 0x0922, "BitBlt")                               \
    X(DibBitBlt, 0x0940, "DIBBitBlt")                         \
    X(ExtTextOut, 0x0A32, "ExtTextOut")                       \
    X(StretchBlt, 0x0B23, "StretchBlt")                       \
    X(DibStretchBlt, 0x0B41, "DIBStretchBlt")                 \
    X(SetDibToDev, 0x0D33, "SetDIBToDev")                     \
    X(StretchDib, 0x0F43, "StretchDIB")
// clang-format on

namespace lumora::wmf {

namespace fn {
#define LUMORA_WMF_NUMBER(name, number, text) constexpr quint16 name = number;
LUMORA_WMF_RECORDS(LUMORA_WMF_NUMBER)
#undef LUMORA_WMF_NUMBER
} // namespace fn

struct RecordName {
    quint16 function;
    const char* name;
};

inline constexpr RecordName recordNames[] = {
#define LUMORA_WMF_NAME(name, number, text) {number, text},
    LUMORA_WMF_RECORDS(LUMORA_WMF_NAME)
#undef LUMORA_WMF_NAME
};

} // namespace lumora::wmf
