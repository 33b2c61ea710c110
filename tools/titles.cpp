// Titles for the name lines and families for the report. A code without an
// entry gets a title made from its name.
#include "mkstore.h"

#include <cstring>

namespace {

struct Title {
    const char *name;
    const char *title;
};

// Sorted by name; one line each.
const Title Titles[] = {
    {"ANSI_X3.4-1968", "US-ASCII, ISO 646 international reference version"},
    {"ARMSCII-8", "Armenian"},
    {"ASMO_449", "Arabic 7-bit, ISO 9036"},
    {"BRF", "Braille Ready Format, North American ASCII Braille"},
    {"BS_4730", "ISO 646 United Kingdom"},
    {"CP10007", "Microsoft Macintosh Cyrillic"},
    {"CP1125", "DOS Ukrainian, RUSCII"},
    {"CP1250", "Windows Central European"},
    {"CP1251", "Windows Cyrillic"},
    {"CP1252", "Windows Western European"},
    {"CP1253", "Windows Greek"},
    {"CP1254", "Windows Turkish"},
    {"CP1256", "Windows Arabic"},
    {"CP1257", "Windows Baltic"},
    {"CP737", "DOS Greek"},
    {"CP770", "DOS Baltic"},
    {"CP771", "DOS Cyrillic and Lithuanian, KBL"},
    {"CP772", "DOS Cyrillic and Lithuanian"},
    {"CP773", "DOS Baltic, KBL"},
    {"CP774", "DOS Lithuanian"},
    {"CP775", "DOS Baltic Rim"},
    {"CSA_Z243.4-1985-1", "ISO 646 Canadian French"},
    {"CSA_Z243.4-1985-2", "ISO 646 Canadian French, second version"},
    {"CSN_369103", "Czechoslovak, ISO-IR-139"},
    {"CWI", "Hungarian DOS, CWI-2"},
    {"DEC-MCS", "DEC Multinational Character Set"},
    {"DIN_66003", "ISO 646 German"},
    {"DS_2089", "ISO 646 Danish"},
    {"EBCDIC-AT-DE", "EBCDIC Austria and Germany"},
    {"EBCDIC-AT-DE-A", "EBCDIC Austria and Germany, alternative"},
    {"EBCDIC-CA-FR", "EBCDIC Canadian French"},
    {"EBCDIC-DK-NO", "EBCDIC Denmark and Norway"},
    {"EBCDIC-DK-NO-A", "EBCDIC Denmark and Norway, alternative"},
    {"EBCDIC-ES", "EBCDIC Spain"},
    {"EBCDIC-ES-A", "EBCDIC Spain, alternative"},
    {"EBCDIC-ES-S", "EBCDIC Spain, Spanish"},
    {"EBCDIC-FI-SE", "EBCDIC Finland and Sweden"},
    {"EBCDIC-FI-SE-A", "EBCDIC Finland and Sweden, alternative"},
    {"EBCDIC-FR", "EBCDIC France"},
    {"EBCDIC-IS-FRISS", "EBCDIC Iceland, FRISS"},
    {"EBCDIC-IT", "EBCDIC Italy"},
    {"EBCDIC-PT", "EBCDIC Portugal"},
    {"EBCDIC-UK", "EBCDIC United Kingdom"},
    {"EBCDIC-US", "EBCDIC United States"},
    {"ECMA-CYRILLIC", "ECMA-113 Cyrillic, ISO-IR-111"},
    {"ES", "ISO 646 Spanish"},
    {"ES2", "ISO 646 Spanish, second version"},
    {"GB_1988-80", "ISO 646 Chinese"},
    {"GEORGIAN-ACADEMY", "Georgian, Academy of Sciences"},
    {"GEORGIAN-PS", "Georgian, Parliament standard"},
    {"GOST_19768-74", "Cyrillic, ISO-IR-153"},
    {"GREEK-CCITT", "Greek, CCITT, ISO-IR-150"},
    {"GREEK7", "Greek 7-bit, ISO-IR-88"},
    {"GREEK7-OLD", "Greek 7-bit, old, ISO-IR-18"},
    {"HP-GREEK8", "HP Greek-8"},
    {"HP-ROMAN8", "HP Roman-8"},
    {"HP-ROMAN9", "HP Roman-9"},
    {"HP-THAI8", "HP Thai-8"},
    {"HP-TURKISH8", "HP Turkish-8"},
    {"IBM037", "EBCDIC United States and Canada"},
    {"IBM1047", "EBCDIC Latin-1, open systems"},
    {"IBM1140", "EBCDIC United States and Canada, euro"},
    {"IBM1141", "EBCDIC Austria and Germany, euro"},
    {"IBM1142", "EBCDIC Denmark and Norway, euro"},
    {"IBM1143", "EBCDIC Finland and Sweden, euro"},
    {"IBM1144", "EBCDIC Italy, euro"},
    {"IBM1145", "EBCDIC Spain and Latin America, euro"},
    {"IBM1146", "EBCDIC United Kingdom, euro"},
    {"IBM1147", "EBCDIC France, euro"},
    {"IBM1148", "EBCDIC International, euro"},
    {"IBM1149", "EBCDIC Icelandic, euro"},
    {"IBM273", "EBCDIC Austria and Germany"},
    {"IBM277", "EBCDIC Denmark and Norway"},
    {"IBM278", "EBCDIC Finland and Sweden"},
    {"IBM280", "EBCDIC Italy"},
    {"IBM284", "EBCDIC Spain and Latin America"},
    {"IBM285", "EBCDIC United Kingdom"},
    {"IBM290", "EBCDIC Japanese Katakana"},
    {"IBM297", "EBCDIC France"},
    {"IBM420", "EBCDIC Arabic"},
    {"IBM423", "EBCDIC Greek"},
    {"IBM424", "EBCDIC Hebrew"},
    {"IBM437", "IBM PC, DOS United States"},
    {"IBM500", "EBCDIC International"},
    {"IBM850", "DOS Latin-1, Multilingual"},
    {"IBM851", "DOS Greek"},
    {"IBM852", "DOS Latin-2, Central European"},
    {"IBM855", "DOS Cyrillic"},
    {"IBM856", "Hebrew PC"},
    {"IBM857", "DOS Turkish"},
    {"IBM858", "DOS Latin-1, Multilingual, euro"},
    {"IBM860", "DOS Portuguese"},
    {"IBM861", "DOS Icelandic"},
    {"IBM862", "DOS Hebrew"},
    {"IBM863", "DOS Canadian French"},
    {"IBM864", "DOS Arabic"},
    {"IBM865", "DOS Nordic"},
    {"IBM866", "DOS Cyrillic Russian"},
    {"IBM869", "DOS Modern Greek"},
    {"IBM870", "EBCDIC Latin-2, Multilingual"},
    {"IBM871", "EBCDIC Icelandic"},
    {"IBM874", "Thai, Windows 874"},
    {"IBM875", "EBCDIC Greek"},
    {"IBM880", "EBCDIC Cyrillic Multilingual"},
    {"IBM918", "EBCDIC Urdu"},
    {"IBM921", "Baltic, Latin-7"},
    {"IBM922", "Estonian"},
    {"IEC_P27-1", "Cyrillic, ISO-IR-143"},
    {"INIS", "INIS 7-bit, ISO-IR-49"},
    {"INIS-8", "INIS 8-bit, ISO-IR-50"},
    {"INIS-CYRILLIC", "INIS Cyrillic, ISO-IR-51"},
    {"ISIRI-3342", "Persian, ISIRI 3342"},
    {"ISO-8859-1", "Latin-1, Western European"},
    {"ISO-8859-10", "Latin-6, Nordic"},
    {"ISO-8859-11", "Latin/Thai"},
    {"ISO-8859-13", "Latin-7, Baltic Rim"},
    {"ISO-8859-14", "Latin-8, Celtic"},
    {"ISO-8859-15", "Latin-9, Western European with euro"},
    {"ISO-8859-16", "Latin-10, South-Eastern European"},
    {"ISO-8859-2", "Latin-2, Central European"},
    {"ISO-8859-3", "Latin-3, South European"},
    {"ISO-8859-4", "Latin-4, North European"},
    {"ISO-8859-5", "Latin/Cyrillic"},
    {"ISO-8859-6", "Latin/Arabic"},
    {"ISO-8859-7", "Latin/Greek"},
    {"ISO-8859-8", "Latin/Hebrew"},
    {"ISO-8859-9", "Latin-5, Turkish"},
    {"ISO-8859-9E", "Latin-5, Turkish, extended"},
    {"ISO-IR-197", "Sami, ISO-IR-197"},
    {"ISO-IR-209", "Sami, ISO-IR-209"},
    {"ISO_10367-BOX", "Box drawing, ISO 10367"},
    {"ISO_11548-1", "Braille, ISO/TR 11548-1"},
    {"ISO_2033", "OCR E13B, ISO 2033"},
    {"ISO_5427", "Cyrillic 7-bit, ISO 5427"},
    {"ISO_5427-EXT", "Cyrillic extension, ISO 5427"},
    {"ISO_5428", "Greek bibliographic, ISO 5428"},
    {"IT", "ISO 646 Italian"},
    {"JIS_C6220-1969-RO", "ISO 646 Japanese Roman"},
    {"JIS_C6229-1984-B", "Japanese OCR-B"},
    {"JUS_I.B1.002", "ISO 646 Yugoslav"},
    {"KOI-8", "KOI-8 Cyrillic"},
    {"KOI8-R", "Russian"},
    {"KOI8-RU", "Russian, Ukrainian and Belarusian"},
    {"KOI8-T", "Tajik"},
    {"KOI8-U", "Ukrainian"},
    {"KSC5636", "ISO 646 Korean"},
    {"LATIN-GREEK", "Latin and Greek, ISO-IR-19"},
    {"LATIN-GREEK-1", "Latin and Greek, ISO-IR-27"},
    {"MAC-CENTRALEUROPE", "Macintosh Central European"},
    {"MAC-IS", "Macintosh Icelandic"},
    {"MAC-SAMI", "Macintosh Sami"},
    {"MAC-UK", "Macintosh Ukrainian"},
    {"MACINTOSH", "Mac OS Roman"},
    {"MIK", "Bulgarian DOS"},
    {"MSZ_7795.3", "ISO 646 Hungarian"},
    {"NATS-DANO", "NATS Danish and Norwegian"},
    {"NATS-SEFI", "NATS Swedish and Finnish"},
    {"NC_NC00-10", "ISO 646 Cuban"},
    {"NF_Z_62-010", "ISO 646 French"},
    {"NF_Z_62-010_1973", "ISO 646 French, 1973"},
    {"NS_4551-1", "ISO 646 Norwegian"},
    {"NS_4551-2", "ISO 646 Norwegian, second version"},
    {"PT", "ISO 646 Portuguese"},
    {"PT154", "Cyrillic Asian, Kazakh"},
    {"PT2", "ISO 646 Portuguese, second version"},
    {"RK1048", "Kazakh"},
    {"SEN_850200_B", "ISO 646 Swedish"},
    {"SEN_850200_C", "ISO 646 Swedish for names"},
    {"TIS-620", "Thai"},
    {"VISCII", "Vietnamese"},
    {"WIN-SAMI-2", "Windows Sami"},
};

bool IsEbcdic(const Charset &cs) { return cs.table[0xC1] == 'A'; }

bool IsSevenBit(const Charset &cs) {
    for (int b = 0x80; b < ByteCount; ++b)
        if (cs.table[b] != NoChar)
            return false;
    return true;
}

bool StartsWith(const std::string &s, const char *prefix) {
    return s.compare(0, std::strlen(prefix), prefix) == 0;
}

}  // namespace

const char *const FamilyOrder[] = {
    "ISO 8859",
    "Windows",
    "IBM and DOS PC code pages",
    "EBCDIC",
    "KOI8 and other Cyrillic",
    "Macintosh",
    "7-bit codes: ISO 646 national variants and others",
    "Others",
};
const int FamilyCount = sizeof FamilyOrder / sizeof FamilyOrder[0];

std::string CharsetTitle(const Charset &cs) {
    for (const Title &t : Titles)
        if (cs.name == t.name)
            return t.title;
    if (StartsWith(cs.name, "IBM"))
        return std::string(IsEbcdic(cs) ? "EBCDIC" : "IBM") + " code page " +
               cs.name.substr(3);
    return "8-bit code";
}

const char *CharsetFamily(const Charset &cs) {
    const std::string &n = cs.name;
    if (IsEbcdic(cs))
        return FamilyOrder[3];
    if (IsSevenBit(cs))
        return FamilyOrder[6];
    if (StartsWith(n, "ISO-8859-"))
        return FamilyOrder[0];
    if (StartsWith(n, "CP125") || n == "WIN-SAMI-2")
        return FamilyOrder[1];
    if (StartsWith(n, "MAC") || n == "CP10007")
        return FamilyOrder[5];
    if (StartsWith(n, "IBM") || StartsWith(n, "CP7") || n == "CP1125" || n == "MIK" ||
        n == "CWI")
        return FamilyOrder[2];
    if (StartsWith(n, "KOI") || n == "ECMA-CYRILLIC" || n == "GOST_19768-74" ||
        n == "ISO_5427-EXT" || n == "INIS-CYRILLIC" || n == "IEC_P27-1" ||
        n == "PT154" || n == "RK1048")
        return FamilyOrder[4];
    return FamilyOrder[7];
}
