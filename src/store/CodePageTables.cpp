// The Windows code pages 1250, 1251, 1252 and 1253 above ASCII, exactly as
// Windows defines them; U+FFFD marks the bytes a code page leaves undefined.
#include "store/CodePageTables.h"

namespace lectora {

namespace {
// Windows-1250 (Central European).
constexpr CodePageHighTable kCp1250 = {
    u'\x20AC', u'\xFFFD', u'\x201A', u'\xFFFD', u'\x201E', u'\x2026', u'\x2020', u'\x2021',  // 80
    u'\xFFFD', u'\x2030', u'\x0160', u'\x2039', u'\x015A', u'\x0164', u'\x017D', u'\x0179',  // 88
    u'\xFFFD', u'\x2018', u'\x2019', u'\x201C', u'\x201D', u'\x2022', u'\x2013', u'\x2014',  // 90
    u'\xFFFD', u'\x2122', u'\x0161', u'\x203A', u'\x015B', u'\x0165', u'\x017E', u'\x017A',  // 98
    u'\x00A0', u'\x02C7', u'\x02D8', u'\x0141', u'\x00A4', u'\x0104', u'\x00A6', u'\x00A7',  // A0
    u'\x00A8', u'\x00A9', u'\x015E', u'\x00AB', u'\x00AC', u'\x00AD', u'\x00AE', u'\x017B',  // A8
    u'\x00B0', u'\x00B1', u'\x02DB', u'\x0142', u'\x00B4', u'\x00B5', u'\x00B6', u'\x00B7',  // B0
    u'\x00B8', u'\x0105', u'\x015F', u'\x00BB', u'\x013D', u'\x02DD', u'\x013E', u'\x017C',  // B8
    u'\x0154', u'\x00C1', u'\x00C2', u'\x0102', u'\x00C4', u'\x0139', u'\x0106', u'\x00C7',  // C0
    u'\x010C', u'\x00C9', u'\x0118', u'\x00CB', u'\x011A', u'\x00CD', u'\x00CE', u'\x010E',  // C8
    u'\x0110', u'\x0143', u'\x0147', u'\x00D3', u'\x00D4', u'\x0150', u'\x00D6', u'\x00D7',  // D0
    u'\x0158', u'\x016E', u'\x00DA', u'\x0170', u'\x00DC', u'\x00DD', u'\x0162', u'\x00DF',  // D8
    u'\x0155', u'\x00E1', u'\x00E2', u'\x0103', u'\x00E4', u'\x013A', u'\x0107', u'\x00E7',  // E0
    u'\x010D', u'\x00E9', u'\x0119', u'\x00EB', u'\x011B', u'\x00ED', u'\x00EE', u'\x010F',  // E8
    u'\x0111', u'\x0144', u'\x0148', u'\x00F3', u'\x00F4', u'\x0151', u'\x00F6', u'\x00F7',  // F0
    u'\x0159', u'\x016F', u'\x00FA', u'\x0171', u'\x00FC', u'\x00FD', u'\x0163', u'\x02D9',  // F8
};

// Windows-1251 (Cyrillic).
constexpr CodePageHighTable kCp1251 = {
    u'\x0402', u'\x0403', u'\x201A', u'\x0453', u'\x201E', u'\x2026', u'\x2020', u'\x2021',  // 80
    u'\x20AC', u'\x2030', u'\x0409', u'\x2039', u'\x040A', u'\x040C', u'\x040B', u'\x040F',  // 88
    u'\x0452', u'\x2018', u'\x2019', u'\x201C', u'\x201D', u'\x2022', u'\x2013', u'\x2014',  // 90
    u'\xFFFD', u'\x2122', u'\x0459', u'\x203A', u'\x045A', u'\x045C', u'\x045B', u'\x045F',  // 98
    u'\x00A0', u'\x040E', u'\x045E', u'\x0408', u'\x00A4', u'\x0490', u'\x00A6', u'\x00A7',  // A0
    u'\x0401', u'\x00A9', u'\x0404', u'\x00AB', u'\x00AC', u'\x00AD', u'\x00AE', u'\x0407',  // A8
    u'\x00B0', u'\x00B1', u'\x0406', u'\x0456', u'\x0491', u'\x00B5', u'\x00B6', u'\x00B7',  // B0
    u'\x0451', u'\x2116', u'\x0454', u'\x00BB', u'\x0458', u'\x0405', u'\x0455', u'\x0457',  // B8
    u'\x0410', u'\x0411', u'\x0412', u'\x0413', u'\x0414', u'\x0415', u'\x0416', u'\x0417',  // C0
    u'\x0418', u'\x0419', u'\x041A', u'\x041B', u'\x041C', u'\x041D', u'\x041E', u'\x041F',  // C8
    u'\x0420', u'\x0421', u'\x0422', u'\x0423', u'\x0424', u'\x0425', u'\x0426', u'\x0427',  // D0
    u'\x0428', u'\x0429', u'\x042A', u'\x042B', u'\x042C', u'\x042D', u'\x042E', u'\x042F',  // D8
    u'\x0430', u'\x0431', u'\x0432', u'\x0433', u'\x0434', u'\x0435', u'\x0436', u'\x0437',  // E0
    u'\x0438', u'\x0439', u'\x043A', u'\x043B', u'\x043C', u'\x043D', u'\x043E', u'\x043F',  // E8
    u'\x0440', u'\x0441', u'\x0442', u'\x0443', u'\x0444', u'\x0445', u'\x0446', u'\x0447',  // F0
    u'\x0448', u'\x0449', u'\x044A', u'\x044B', u'\x044C', u'\x044D', u'\x044E', u'\x044F',  // F8
};

// Windows-1252 (Western).
constexpr CodePageHighTable kCp1252 = {
    u'\x20AC', u'\xFFFD', u'\x201A', u'\x0192', u'\x201E', u'\x2026', u'\x2020', u'\x2021',  // 80
    u'\x02C6', u'\x2030', u'\x0160', u'\x2039', u'\x0152', u'\xFFFD', u'\x017D', u'\xFFFD',  // 88
    u'\xFFFD', u'\x2018', u'\x2019', u'\x201C', u'\x201D', u'\x2022', u'\x2013', u'\x2014',  // 90
    u'\x02DC', u'\x2122', u'\x0161', u'\x203A', u'\x0153', u'\xFFFD', u'\x017E', u'\x0178',  // 98
    u'\x00A0', u'\x00A1', u'\x00A2', u'\x00A3', u'\x00A4', u'\x00A5', u'\x00A6', u'\x00A7',  // A0
    u'\x00A8', u'\x00A9', u'\x00AA', u'\x00AB', u'\x00AC', u'\x00AD', u'\x00AE', u'\x00AF',  // A8
    u'\x00B0', u'\x00B1', u'\x00B2', u'\x00B3', u'\x00B4', u'\x00B5', u'\x00B6', u'\x00B7',  // B0
    u'\x00B8', u'\x00B9', u'\x00BA', u'\x00BB', u'\x00BC', u'\x00BD', u'\x00BE', u'\x00BF',  // B8
    u'\x00C0', u'\x00C1', u'\x00C2', u'\x00C3', u'\x00C4', u'\x00C5', u'\x00C6', u'\x00C7',  // C0
    u'\x00C8', u'\x00C9', u'\x00CA', u'\x00CB', u'\x00CC', u'\x00CD', u'\x00CE', u'\x00CF',  // C8
    u'\x00D0', u'\x00D1', u'\x00D2', u'\x00D3', u'\x00D4', u'\x00D5', u'\x00D6', u'\x00D7',  // D0
    u'\x00D8', u'\x00D9', u'\x00DA', u'\x00DB', u'\x00DC', u'\x00DD', u'\x00DE', u'\x00DF',  // D8
    u'\x00E0', u'\x00E1', u'\x00E2', u'\x00E3', u'\x00E4', u'\x00E5', u'\x00E6', u'\x00E7',  // E0
    u'\x00E8', u'\x00E9', u'\x00EA', u'\x00EB', u'\x00EC', u'\x00ED', u'\x00EE', u'\x00EF',  // E8
    u'\x00F0', u'\x00F1', u'\x00F2', u'\x00F3', u'\x00F4', u'\x00F5', u'\x00F6', u'\x00F7',  // F0
    u'\x00F8', u'\x00F9', u'\x00FA', u'\x00FB', u'\x00FC', u'\x00FD', u'\x00FE', u'\x00FF',  // F8
};

// Windows-1253 (Greek).
constexpr CodePageHighTable kCp1253 = {
    u'\x20AC', u'\xFFFD', u'\x201A', u'\x0192', u'\x201E', u'\x2026', u'\x2020', u'\x2021',  // 80
    u'\xFFFD', u'\x2030', u'\xFFFD', u'\x2039', u'\xFFFD', u'\xFFFD', u'\xFFFD', u'\xFFFD',  // 88
    u'\xFFFD', u'\x2018', u'\x2019', u'\x201C', u'\x201D', u'\x2022', u'\x2013', u'\x2014',  // 90
    u'\xFFFD', u'\x2122', u'\xFFFD', u'\x203A', u'\xFFFD', u'\xFFFD', u'\xFFFD', u'\xFFFD',  // 98
    u'\x00A0', u'\x0385', u'\x0386', u'\x00A3', u'\x00A4', u'\x00A5', u'\x00A6', u'\x00A7',  // A0
    u'\x00A8', u'\x00A9', u'\xFFFD', u'\x00AB', u'\x00AC', u'\x00AD', u'\x00AE', u'\x2015',  // A8
    u'\x00B0', u'\x00B1', u'\x00B2', u'\x00B3', u'\x0384', u'\x00B5', u'\x00B6', u'\x00B7',  // B0
    u'\x0388', u'\x0389', u'\x038A', u'\x00BB', u'\x038C', u'\x00BD', u'\x038E', u'\x038F',  // B8
    u'\x0390', u'\x0391', u'\x0392', u'\x0393', u'\x0394', u'\x0395', u'\x0396', u'\x0397',  // C0
    u'\x0398', u'\x0399', u'\x039A', u'\x039B', u'\x039C', u'\x039D', u'\x039E', u'\x039F',  // C8
    u'\x03A0', u'\x03A1', u'\xFFFD', u'\x03A3', u'\x03A4', u'\x03A5', u'\x03A6', u'\x03A7',  // D0
    u'\x03A8', u'\x03A9', u'\x03AA', u'\x03AB', u'\x03AC', u'\x03AD', u'\x03AE', u'\x03AF',  // D8
    u'\x03B0', u'\x03B1', u'\x03B2', u'\x03B3', u'\x03B4', u'\x03B5', u'\x03B6', u'\x03B7',  // E0
    u'\x03B8', u'\x03B9', u'\x03BA', u'\x03BB', u'\x03BC', u'\x03BD', u'\x03BE', u'\x03BF',  // E8
    u'\x03C0', u'\x03C1', u'\x03C2', u'\x03C3', u'\x03C4', u'\x03C5', u'\x03C6', u'\x03C7',  // F0
    u'\x03C8', u'\x03C9', u'\x03CA', u'\x03CB', u'\x03CC', u'\x03CD', u'\x03CE', u'\xFFFD',  // F8
};

}  // namespace

const CodePageHighTable* HighTableOf(int codePage) {
  switch (codePage) {
    case 1250:
      return &kCp1250;
    case 1251:
      return &kCp1251;
    case 1252:
      return &kCp1252;
    case 1253:
      return &kCp1253;
    default:
      return nullptr;
  }
}

}  // namespace lectora
