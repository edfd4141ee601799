#include "platform/gdi/FontCache.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

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

// The best match for pattern; when family is given, only a font of that family.
bool Match(FcPattern* pPattern, const std::string& family, FontFile* pFile)
{
    FcConfigSubstitute(nullptr, pPattern, FcMatchPattern);
    FcDefaultSubstitute(pPattern);
    FcResult result = FcResultNoMatch;
    FcPattern* pFont = FcFontMatch(nullptr, pPattern, &result);
    bool found = false;
    FcChar8* pPath = nullptr;
    if (pFont && FcPatternGetString(pFont, FC_FILE, 0, &pPath) == FcResultMatch
        && (family.empty() || HasFamily(pFont, family))) {
        pFile->strPath = reinterpret_cast<const char*>(pPath);
        FcPatternGetInteger(pFont, FC_INDEX, 0, &pFile->nIndex);
        found = true;
    }
    if (pFont)
        FcPatternDestroy(pFont);
    FcPatternDestroy(pPattern);
    return found;
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
            pFont = Open(Fallback(), nPixelHeight);
        if (pFont)
            m_byFace[key] = pFont;
        return pFont;
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
        FcPattern* pPattern = FcPatternCreate();
        FcPatternAddString(pPattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
        if (face.empty() || !Match(pPattern, ExpectedFamily(face), &file))
            file = Fallback();
        m_files[face] = file;
        return file;
    }

    // A font with Japanese glyphs, or failing that whatever fontconfig offers.
    FontFile Fallback()
    {
        if (!m_bHaveFallback) {
            m_bHaveFallback = true;
            if (!Match(FcNameParse(reinterpret_cast<const FcChar8*>(":lang=ja")), "", &m_fallback))
                Match(FcPatternCreate(), "", &m_fallback);
        }
        return m_fallback;
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

    std::mutex m_mutex; // guards everything below
    bool m_bStarted = false;
    bool m_bHaveFallback = false;
    FontFile m_fallback;
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
