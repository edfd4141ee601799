#include "platform/gdi/FontCache.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include <utility>

namespace {

constexpr int kDefaultPixelHeight = 12;

// The Windows faces the game names and the installed families that stand in for them.
struct FaceAlias {
    const char* pszFace;
    const char* pszFamily;
};
constexpr FaceAlias kAliases[] = {
    {"ＭＳ ゴシック", "IPAGothic"},
    {"MS Gothic", "IPAGothic"},
    {"ＭＳ Ｐゴシック", "IPAPGothic"},
    {"MS PGothic", "IPAPGothic"},
};

struct FontFile {
    std::string strPath;
    int nIndex = 0;
    bool operator<(const FontFile& o) const { return std::tie(strPath, nIndex) < std::tie(o.strPath, o.nIndex); }
};

std::string AliasRules()
{
    std::string xml = "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n<fontconfig>\n";
    for (const FaceAlias& alias : kAliases) {
        xml += "  <alias binding=\"strong\"><family>";
        xml += alias.pszFace;
        xml += "</family><prefer><family>";
        xml += alias.pszFamily;
        xml += "</family></prefer></alias>\n";
    }
    return xml + "</fontconfig>\n";
}

// The family a face should resolve to: its alias target, or the face itself.
std::string ExpectedFamily(const std::string& face)
{
    for (const FaceAlias& alias : kAliases) {
        if (face == alias.pszFace)
            return alias.pszFamily;
    }
    return face;
}

bool HasFamily(FcPattern* pFont, const std::string& family)
{
    FcChar8* pName = nullptr;
    for (int i = 0; FcPatternGetString(pFont, FC_FAMILY, i, &pName) == FcResultMatch; ++i) {
        if (FcStrCmpIgnoreCase(pName, reinterpret_cast<const FcChar8*>(family.c_str())) == 0)
            return true;
    }
    return false;
}

bool HasJapanese(FcPattern* pFont)
{
    FcLangSet* pLangs = nullptr;
    return FcPatternGetLangSet(pFont, FC_LANG, 0, &pLangs) == FcResultMatch
        && FcLangSetHasLang(pLangs, reinterpret_cast<const FcChar8*>("ja")) == FcLangEqual;
}

// What a match must be: of the family asked for (when given), with Japanese glyphs (when asked).
struct Wanted {
    std::string strFamily;
    bool bJapanese = false;
};

// The best match for pattern, if it is what is wanted.
bool Match(FcPattern* pPattern, const Wanted& wanted, FontFile* pFile)
{
    FcConfigSubstitute(nullptr, pPattern, FcMatchPattern);
    FcDefaultSubstitute(pPattern);
    FcResult result = FcResultNoMatch;
    FcPattern* pFont = FcFontMatch(nullptr, pPattern, &result);
    bool found = false;
    FcChar8* pPath = nullptr;
    if (pFont && FcPatternGetString(pFont, FC_FILE, 0, &pPath) == FcResultMatch
        && (wanted.strFamily.empty() || HasFamily(pFont, wanted.strFamily))
        && (!wanted.bJapanese || HasJapanese(pFont))) {
        pFile->strPath = reinterpret_cast<const char*>(pPath);
        FcPatternGetInteger(pFont, FC_INDEX, 0, &pFile->nIndex);
        found = true;
    }
    if (pFont)
        FcPatternDestroy(pFont);
    FcPatternDestroy(pPattern);
    return found;
}

bool MatchName(const char* pszPattern, const Wanted& wanted, FontFile* pFile)
{
    FcPattern* pPattern = FcNameParse(reinterpret_cast<const FcChar8*>(pszPattern));
    return pPattern && Match(pPattern, wanted, pFile);
}

// The face itself, through the alias rules, only if it is the family it should be.
bool MatchFamily(const std::string& face, FontFile* pFile)
{
    FcPattern* pPattern = FcPatternCreate();
    FcPatternAddString(pPattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
    return Match(pPattern, Wanted{ExpectedFamily(face), false}, pFile);
}

void Warn(const char* pszWhat)
{
    std::fprintf(stderr, "%s: %s (the Debian package fonts-ipafont-gothic has the fonts it is made for)\n",
                 program_invocation_short_name, pszWhat);
}

// Whether a face is a fixed-pitch one, whose stand-ins should be fixed-pitch first.
bool IsFixedPitch(const std::string& face)
{
    return ExpectedFamily(face) == "IPAGothic";
}

class CFontCache {
public:
    TTF_Font* Get(const std::string& face, int nPixelHeight)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        Start();
        const auto key = std::make_pair(face, nPixelHeight);
        auto it = m_byFace.find(key);
        if (it != m_byFace.end())
            return it->second;
        TTF_Font* pFont = Open(Resolve(face), nPixelHeight);
        if (!pFont)
            pFont = Open(Fallback(IsFixedPitch(face)), nPixelHeight);
        if (pFont)
            m_byFace[key] = pFont;
        return pFont;
    }

    int GetOpenCount()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return int(m_byFile.size());
    }

private:
    void Start()
    {
        if (m_bStarted)
            return;
        m_bStarted = true;
        if (!TTF_WasInit())
            TTF_Init();
        FcInit();
        const std::string rules = AliasRules();
        FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(rules.c_str()), FcFalse);
    }

    FontFile Resolve(const std::string& face)
    {
        auto it = m_files.find(face);
        if (it != m_files.end())
            return it->second;
        FontFile file;
        if (face.empty() || !MatchFamily(face, &file))
            file = Fallback(IsFixedPitch(face));
        m_files[face] = file;
        return file;
    }

    // A stand-in with Japanese glyphs, of the face's pitch first; failing
    // that any sans-serif face, said once; failing that nothing, said once.
    FontFile Fallback(bool bFixedPitch)
    {
        STANDIN& standIn = m_standIns[bFixedPitch ? 1 : 0];
        if (standIn.bLooked)
            return standIn.file;
        standIn.bLooked = true;
        const char* const pszFirst = bFixedPitch ? "monospace:lang=ja" : "sans-serif:lang=ja";
        const char* const pszSecond = bFixedPitch ? "sans-serif:lang=ja" : "monospace:lang=ja";
        const Wanted japanese{"", true};
        if (MatchName(pszFirst, japanese, &standIn.file) || MatchName(pszSecond, japanese, &standIn.file)
            || MatchName(":lang=ja", japanese, &standIn.file))
            return standIn.file;
        if (MatchName("sans-serif", Wanted{}, &standIn.file)) {
            WarnOnce(m_bSaidNoJapanese, "no font with Japanese glyphs is installed; Japanese text shows as boxes");
        } else {
            WarnOnce(m_bSaidNoFont, "no fonts are installed; the game runs without text");
        }
        return standIn.file;
    }

    static void WarnOnce(bool& bSaid, const char* pszWhat)
    {
        if (!bSaid)
            Warn(pszWhat);
        bSaid = true;
    }

    TTF_Font* Open(const FontFile& file, int nPixelHeight)
    {
        if (file.strPath.empty())
            return nullptr;
        const auto key = std::make_pair(file, nPixelHeight);
        auto it = m_byFile.find(key);
        if (it != m_byFile.end())
            return it->second;
        TTF_Font* pFont = TTF_OpenFontIndex(file.strPath.c_str(), nPixelHeight, file.nIndex);
        if (pFont)
            m_byFile[key] = pFont;
        return pFont;
    }

    struct STANDIN {
        bool bLooked = false;
        FontFile file; // empty when there is none
    };

    std::mutex m_mutex; // guards everything below
    bool m_bStarted = false;
    STANDIN m_standIns[2]; // for proportional faces, for fixed-pitch ones
    bool m_bSaidNoJapanese = false;
    bool m_bSaidNoFont = false;
    std::map<std::string, FontFile> m_files;
    std::map<std::pair<FontFile, int>, TTF_Font*> m_byFile;
    std::map<std::pair<std::string, int>, TTF_Font*> m_byFace;
};

CFontCache& Cache()
{
    // Never destroyed: fonts stay open until the process ends.
    static CFontCache* pCache = new CFontCache;
    return *pCache;
}

} // namespace

TTF_Font* AfxGetFont(const char* pszFace, int nPixelHeight)
{
    return Cache().Get(pszFace ? pszFace : "", nPixelHeight > 0 ? nPixelHeight : kDefaultPixelHeight);
}

CString AfxGetFontFamily(TTF_Font* pFont)
{
    const char* pszFamily = pFont ? TTF_FontFaceFamilyName(pFont) : nullptr;
    return CString(pszFamily ? pszFamily : "");
}

BOOL AfxFontHasGlyph(TTF_Font* pFont, DWORD nCodePoint)
{
    return pFont && TTF_GlyphIsProvided32(pFont, nCodePoint) ? TRUE : FALSE;
}

int AfxGetOpenFontCount()
{
    return Cache().GetOpenCount();
}
