#include "FootClients.h"

#include "platform/WindowServer.h"
#include "platform/agent/AgentAccessibility.h"

#include <QVersionNumber>
#include <gtest/gtest.h>

namespace corvane {

FootClients::FootClients(ContractDesktop& desktop)
    : m_desktop(desktop) {}

std::optional<std::string> FootClients::whyNoneKeepsWholeCells() {
    static const std::optional<std::string> why = []() -> std::optional<std::string> {
        QProcess foot;
        foot.start(QStringLiteral("foot"), {QStringLiteral("--version")});
        if (!foot.waitForFinished(int(ContractDesktop::kDeadline * 1000)))
            return "foot --version did not answer";
        // "foot version: 1.13.1 ..."
        const QString version =
            QString::fromUtf8(foot.readAllStandardOutput()).section(QLatin1Char(' '), 2, 2);
        const QVersionNumber number = QVersionNumber::fromString(version);
        if (number.isNull())
            return "foot --version gave no version";
        if (number < QVersionNumber(1, 17))
            return "foot " + version.toStdString() + " takes any size: foot keeps whole cells from 1.17";
        return std::nullopt;
    }();
    return why;
}

FootClients::~FootClients() {
    for (auto& [handle, client] : m_clients) {
        client->kill();
        client->waitForFinished();
    }
}

AxElement FootClients::open(ClientSizing sizing) {
    static int opened = 0;
    const QString appId = QStringLiteral("contract-%1").arg(++opened);
    QStringList arguments{"--app-id", appId, "--title", appId};
    // foot keeps its size to whole cells unless told otherwise.
    if (sizing == ClientSizing::Free)
        arguments.append({"--override", "resize-by-cells=no"});
    arguments.append({"sleep", "600"});
    auto process = std::make_unique<QProcess>();
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(QStringLiteral("foot"), arguments);
    if (!process->waitForStarted(int(ContractDesktop::kDeadline * 1000))) {
        ADD_FAILURE() << "foot did not start: " << process->errorString().toStdString();
        return {};
    }
    const qint64 pid = process->processId();
    quint32 number = 0;
    const bool isListed = m_desktop.waitUntil(ContractDesktop::kDeadline, [&] {
        const QVariantList list =
            m_desktop.platform()
                .windowServer.copyWindowList(WindowListOption::OnScreenOnlyExcludingDesktop, 0)
                .toList();
        for (const QVariant& entry : list) {
            const QVariantMap window = entry.toMap();
            if (window.value(windowinfo::kOwnerPid).toLongLong() == pid)
                number = window.value(windowinfo::kNumber).toUInt();
        }
        return number != 0;
    });
    if (!isListed) {
        ADD_FAILURE() << "the desktop did not list the window of " << appId.toStdString();
        return {};
    }
    const AxElement element = AgentAccessibility::windowElement(number);
    m_clients.emplace(element.handle, std::move(process));
    return element;
}

void FootClients::close(AxElement window) {
    auto node = m_clients.extract(window.handle);
    ASSERT_FALSE(node.empty()) << "not a window of this desktop";
    QProcess& client = *node.mapped();
    client.kill();
    EXPECT_TRUE(m_desktop.waitUntil(ContractDesktop::kDeadline, [&] {
        return m_desktop.platform().accessibility.pidOfElement(window).error == AxError::InvalidElement;
    })) << "the desktop still has the window of a client that quit";
    client.waitForFinished(int(ContractDesktop::kDeadline * 1000));
}

} // namespace corvane
