// The one-byte tags that start every value of the component stream.
#pragma once

#include <QtGlobal>

enum class TValueType : quint8 {
    Null = 0,
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,
    String = 6,
    Ident = 7,
    False = 8,
    True = 9,
    Binary = 10,
    Set = 11,
    LString = 12,
    Nil = 13,
    Collection = 14,
    // Text that Windows-1252 cannot hold: 4-byte count, then UTF-16LE code units.
    WString = 18,
    // Text that Windows-1252 cannot hold, as written by Almarin: 4-byte length, then UTF-8 bytes.
    Utf8String = 20,
};
