// The russianlat edition.
#include "resources/resourcedata.h"

namespace zembo {

const EditionSource& russianLatEdition() {
  static const EditionSource edition{
      {
          nullptr,  // 0
          "language\\",  // 1
          "list\\",  // 2
          "list\\temp.ls",  // 3
          "language\\tempfile",  // 4
          "icons\\",  // 5
          "zemboicon",  // 6
          nullptr,  // 7
          nullptr,  // 8
          nullptr,  // 9
          "tekenset",  // 10
          nullptr,  // 11
          "russian",  // 12
          "204",  // 13
          nullptr,  // 14
          "KestraEngAviDelay",  // 15
          nullptr,  // 16
          nullptr,  // 17
          nullptr,  // 18
          "213",  // 19
          nullptr,  // 20
          nullptr,  // 21
          nullptr,  // 22
          nullptr,  // 23
          nullptr,  // 24
          nullptr,  // 25
          nullptr,  // 26
          nullptr,  // 27
          nullptr,  // 28
          nullptr,  // 29
          nullptr,  // 30
          nullptr,  // 31
          nullptr,  // 32
          nullptr,  // 33
          nullptr,  // 34
          nullptr,  // 35
          nullptr,  // 36
          nullptr,  // 37
          nullptr,  // 38
          nullptr,  // 39
          nullptr,  // 40
          nullptr,  // 41
          nullptr,  // 42
          nullptr,  // 43
          nullptr,  // 44
          nullptr,  // 45
          nullptr,  // 46
          nullptr,  // 47
          nullptr,  // 48
          nullptr,  // 49
          nullptr,  // 50
          nullptr,  // 51
          "Russian",  // 52
          "slovar.ini",  // 53
          "on",  // 54
          "off",  // 55
          "[language]",  // 56
          "[selected]",  // 57
          "10",  // 58
          "[AddNew]",  // 59
          "8",  // 60
          nullptr,  // 61
          nullptr,  // 62
          nullptr,  // 63
          nullptr,  // 64
          nullptr,  // 65
          nullptr,  // 66
          nullptr,  // 67
          nullptr,  // 68
          nullptr,  // 69
          nullptr,  // 70
          nullptr,  // 71
          nullptr,  // 72
          nullptr,  // 73
          "Slovar'",  // 74
          nullptr,  // 75
          nullptr,  // 76
          nullptr,  // 77
          nullptr,  // 78
          nullptr,  // 79
          nullptr,  // 80
          nullptr,  // 81
          nullptr,  // 82
          "slovar.hlp",  // 83
          nullptr,  // 84
          nullptr,  // 85
          nullptr,  // 86
          nullptr,  // 87
          nullptr,  // 88
          nullptr,  // 89
          nullptr,  // 90
          nullptr,  // 91
          nullptr,  // 92
          nullptr,  // 93
          nullptr,  // 94
      },
      {},
      {},
      {{{AcceleratorKind::AltKey, 'A', 10},
        {AcceleratorKind::AltKey, 'P', 11},
        {AcceleratorKind::AltKey, 'S', 12},
        {AcceleratorKind::AltKey, 'C', 13},
        {AcceleratorKind::ControlChar, 'X', 3},
        {AcceleratorKind::VirtualKey, VK_F1, 4}}},
  };
  return edition;
}

}  // namespace zembo
