#include "platform/gdi/TextCache.h"

#include <SDL_ttf.h>

#include <list>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace {

constexpr size_t kMaxStrings = 256;
constexpr size_t kMaxBytes = size_t(4) << 20;

std::shared_ptr<const CTextMask> Render(TTF_Font* pFont, const std::string& text)
{
    const SDL_Color white = {255, 255, 255, 255};
    SDL_Surface* pText = TTF_RenderUTF8_Blended(pFont, text.c_str(), white);
    if (!pText)
        return nullptr;
    auto pMask = std::make_shared<CTextMask>();
    pMask->nWidth = pText->w;
    pMask->nHeight = pText->h;
    pMask->coverage.resize(size_t(pText->w) * size_t(pText->h));
    const SDL_PixelFormat* pFormat = pText->format;
    for (int y = 0; y < pText->h; ++y) {
        const auto* pRow = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(pText->pixels) + y * pText->pitch);
        for (int x = 0; x < pText->w; ++x)
            pMask->coverage[size_t(y) * size_t(pText->w) + size_t(x)] = Uint8((pRow[x] & pFormat->Amask) >> pFormat->Ashift);
    }
    SDL_FreeSurface(pText);
    return pMask;
}

class CTextCache {
public:
    std::shared_ptr<const CTextMask> Get(TTF_Font* pFont, const std::string& text)
    {
        const Key key(pFont, text);
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_index.find(key);
        if (it != m_index.end()) {
            m_entries.splice(m_entries.begin(), m_entries, it->second);
            return it->second->second;
        }
        auto pMask = Render(pFont, text);
        if (pMask)
            Add(key, pMask);
        return pMask;
    }

private:
    typedef std::pair<TTF_Font*, std::string> Key;
    struct KeyHash {
        size_t operator()(const Key& k) const
        {
            return std::hash<std::string>()(k.second) ^ (std::hash<const void*>()(k.first) << 1);
        }
    };
    typedef std::list<std::pair<Key, std::shared_ptr<const CTextMask>>> Entries;

    void Add(const Key& key, const std::shared_ptr<const CTextMask>& pMask)
    {
        m_entries.emplace_front(key, pMask);
        m_index[key] = m_entries.begin();
        m_nBytes += pMask->coverage.size();
        while (m_entries.size() > 1 && (m_entries.size() > kMaxStrings || m_nBytes > kMaxBytes)) {
            m_nBytes -= m_entries.back().second->coverage.size();
            m_index.erase(m_entries.back().first);
            m_entries.pop_back();
        }
    }

    std::mutex m_mutex; // guards everything below
    Entries m_entries;  // most recently used first
    std::unordered_map<Key, Entries::iterator, KeyHash> m_index;
    size_t m_nBytes = 0;
};

} // namespace

std::shared_ptr<const CTextMask> AfxGetTextMask(TTF_Font* pFont, const std::string& text)
{
    if (!pFont || text.empty())
        return nullptr;
    // Never destroyed: a DC may draw text while static objects go at exit.
    static CTextCache* pCache = new CTextCache;
    return pCache->Get(pFont, text);
}
