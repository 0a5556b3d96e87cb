#include "AppServices.h"

AppServices::AppServices(PreferencesStore& defaults, ScreenSampler& sampler, Clipboard& clipboard)
    : m_picker(defaults, sampler, clipboard)
{
}
