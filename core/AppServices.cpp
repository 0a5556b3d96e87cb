#include "AppServices.h"

#include "AppInfo.h"

AppServices::AppServices(PreferencesStore& defaults, ScreenSampler& sampler, Clipboard& clipboard,
                         ApplicationPresence& presence,
                         const UpdateFramework::Factory& createFramework)
    : m_picker(defaults, sampler, clipboard),
      m_updater(AppInfo::current(), createFramework, presence, defaults)
{
}
