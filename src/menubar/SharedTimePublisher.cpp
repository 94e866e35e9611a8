#include "SharedTimePublisher.h"

#include "timing/PreferenceKeys.h"

SharedTimePublisher::SharedTimePublisher()
    : m_sharedSuite(PreferenceKeys::sharedSuiteName, Defaults::Durability::unsynced),
      m_timeDidChange(timeDidChangeNotification)
{}

void SharedTimePublisher::publish(const KPTime& time)
{
    if (time != m_stored) {
        m_sharedSuite.setData(PreferenceKeys::currentTime, time.toJson());
        m_stored = time;
    }
    m_timeDidChange.post();
}
