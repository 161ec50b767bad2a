#include "views/goto/GameClient.h"

#if defined(_WIN32)
#include "views/goto/WindowsGameClient.h"
#elif defined(TARVEK_GOTO_X11)
#include "views/goto/X11GameClient.h"
#endif

namespace tarvek::client {

namespace {

// A build for a window system that Tarvek cannot type into: the client is never found.
class AbsentGameClient : public GameClient
{
public:
    bool SendToUO(const std::string&) override { return false; }
};

} // namespace

std::unique_ptr<GameClient> makePlatformGameClient()
{
#if defined(_WIN32)
    return std::make_unique<WindowsGameClient>();
#elif defined(TARVEK_GOTO_X11)
    return std::make_unique<X11GameClient>();
#else
    return std::make_unique<AbsentGameClient>();
#endif
}

} // namespace tarvek::client
