#include "sampling/run_state.h"

QString RunStateTitle(RunState state)
{
    const QString name = QStringLiteral("Linewarden");
    switch (state) {
    case RunState::Idle:
        return name;
    case RunState::Running:
        return name + QStringLiteral("   [Running]");
    case RunState::Paused:
        return name + QStringLiteral("   [Paused]");
    case RunState::Stopped:
        return name + QStringLiteral("   [Stopped]");
    }
    return name;
}
