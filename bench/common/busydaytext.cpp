#include "busydaytext.h"

QByteArray BusyDayText(int cell)
{
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
           "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
           "\\pard{\\f1\\fs20\\b\\cf1 Note " +
           QByteArray::number(cell) +
           "}\\par\\pard{\\fs16 Swim at 9:30, then \\i lunch\\i0  with Anna}\\par"
           "\\pard\\qr{\\fs14\\ul\\cf2 Call the plumber}\\par}";
}
