#include "core/AppServices.h"

#include "core/AppInfo.h"

AppServices::AppServices(AppSettings& settings, ScreenSampler& sampler, Clipboard& clipboard,
                         ApplicationPresence& presence,
                         const UpdateFramework::Factory& createFramework)
    : m_recents(settings), m_picker(settings, m_recents, sampler, clipboard),
      m_updater(AppInfo::current(), createFramework, presence, settings)
{
}
