#pragma once

#include "xls/FontTable.h"
#include "xls/Palette.h"
#include "xls/XFTable.h"

#include <QString>
#include <algorithm>

// The format setters of a cell and of a range. Each changes one field of the cell format or
// of its font; the owner applies the change (Derived::applyXF / applyFont take a function that
// changes the record and returns false when the field already had that value).
template <class Derived> class TFormatSetters {
public:
    enum Side { Left = 0, Right = 1, Top = 2, Bottom = 3, AllSides = 4 };

    void FormatIndex(int index)
    {
        xf([=](TXFRecord &r) { return set(r.format, index); });
    }
    void HAlign(int align)
    {
        xf([=](TXFRecord &r) { return set(r.hAlign, align); });
    }
    void VAlign(int align)
    {
        xf([=](TXFRecord &r) { return set(r.vAlign, align); });
    }
    void Rotation(int rotation)
    {
        xf([=](TXFRecord &r) { return set(r.rotation, rotation); });
    }
    void Wrap(bool on)
    {
        xf([=](TXFRecord &r) { return set(r.wrap, on); });
    }
    void Indent(int indent)
    {
        xf([=](TXFRecord &r) { return set(r.indent, indent > 15 ? 15 : indent); });
    }
    void Locked(bool on)
    {
        xf([=](TXFRecord &r) { return set(r.locked, on); });
    }
    void FillPattern(int pattern)
    {
        xf([=](TXFRecord &r) { return set(r.fillPattern, pattern); });
    }
    void PatternColor(int colour)
    {
        xf([=](TXFRecord &r) { return set(r.patternColor, colour); });
    }
    void FillColor(int colour)
    {
        xf([=](TXFRecord &r) { return set(r.fillColor, colour); });
    }
    void PatternColorRGB(int red, int green, int blue)
    {
        PatternColor(Palette::nearestColourIndex(red, green, blue));
    }
    void FillColorRGB(int red, int green, int blue)
    {
        FillColor(Palette::nearestColourIndex(red, green, blue));
    }
    void BorderStyle(int side, int style)
    {
        xf([=](TXFRecord &r) { return setSides(r.borderStyle, side, style); });
    }
    void BorderColor(int side, int colour)
    {
        xf([=](TXFRecord &r) { return setSides(r.borderColor, side, colour); });
    }

    void FontBold(bool on)
    {
        font([=](TFontRecord &f) { return set(f.bold, on); });
    }
    void FontItalic(bool on)
    {
        font([=](TFontRecord &f) { return set(f.italic, on); });
    }
    void FontUnderline(bool on)
    {
        font([=](TFontRecord &f) { return set(f.underline, on); });
    }
    void FontUnderlineStyle(int style)
    {
        font([=](TFontRecord &f) { return set(f.underlineStyle, style); });
    }
    void FontStrikeOut(bool on)
    {
        font([=](TFontRecord &f) { return set(f.strikeOut, on); });
    }
    void FontScript(int script)
    {
        font([=](TFontRecord &f) { return set(f.script, script); });
    }
    void FontSize(int points)
    {
        font([=](TFontRecord &f) { return set(f.size, points); });
    }
    void FontColorIndex(int colour)
    {
        font([=](TFontRecord &f) { return set(f.colorIndex, colour); });
    }
    void FontColorRGB(int red, int green, int blue)
    {
        FontColorIndex(Palette::nearestColourIndex(red, green, blue));
    }
    void FontName(const QString &name)
    {
        TFontRecord probe;
        probe.setName(name);
        font([&](TFontRecord &f) {
            if (std::equal(std::begin(f.name), std::end(f.name), std::begin(probe.name)))
                return false;
            std::copy(std::begin(probe.name), std::end(probe.name), std::begin(f.name));
            return true;
        });
    }

protected:
    template <class Field, class Value> static bool set(Field &field, Value value)
    {
        if (field == Field(value))
            return false;
        field = Field(value);
        return true;
    }

private:
    static bool setSides(quint8 (&fields)[4], int side, int value)
    {
        bool changed = false;
        for (int s = 0; s < 4; ++s)
            if (side == AllSides || side == s)
                changed = set(fields[s], value) || changed;
        return changed;
    }

    template <class Change> void xf(const Change &change)
    {
        static_cast<Derived *>(this)->applyXF(change);
    }
    template <class Change> void font(const Change &change)
    {
        static_cast<Derived *>(this)->applyFont(change);
    }
};
