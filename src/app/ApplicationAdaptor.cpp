#include "ApplicationAdaptor.h"

#include "app/CorvaneService.h"

namespace corvane {

ApplicationAdaptor::ApplicationAdaptor(CorvaneService* service)
    : QDBusAbstractAdaptor(service)
    , m_service(service) {}

void ApplicationAdaptor::Activate(const QVariantMap&) {
    emit m_service->activationRequested();
}

} // namespace corvane
