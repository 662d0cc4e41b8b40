#include "StackingOrder.h"

#include <algorithm>

namespace corvane {

QList<quint32> stackingFrontToBack(const QList<quint32>& rootChildren, const QList<quint32>& listed,
                                   const QHash<quint32, quint32>& topLevelOf) {
    QHash<quint32, qsizetype> height; // the higher, the nearer the front
    for (qsizetype i = 0; i < rootChildren.size(); ++i)
        height.insert(rootChildren[i], i);
    const auto heightOf = [&](quint32 client) -> qsizetype {
        const auto frame = topLevelOf.constFind(client);
        return frame == topLevelOf.cend() ? -1 : height.value(*frame, -1);
    };
    QList<quint32> frontToBack(listed.rbegin(), listed.rend());
    std::stable_sort(frontToBack.begin(), frontToBack.end(),
                     [&](quint32 a, quint32 b) { return heightOf(a) > heightOf(b); });
    return frontToBack;
}

} // namespace corvane
