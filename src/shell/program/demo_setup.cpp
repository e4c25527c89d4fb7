#include "shell/program/demo_setup.h"

#include "base/router_type.h"
#include "base/settings.h"
#include "demo/simulated_router.h"
#include "shell/program/line_monitor.h"

#include <QStandardPaths>

std::unique_ptr<SimulatedRouter> StartDemoRouter(bool typeA, QTextStream &err)
{
    SimulatedRouter::Options options;
    options.model = typeA ? SimulatedRouter::Model::TypeA : SimulatedRouter::Model::TypeB;
    auto router = std::make_unique<SimulatedRouter>(options);
    QString error;
    if (!router->start(&error)) {
        err << "linewarden: the simulated router did not start: " << error << Qt::endl;
        return nullptr;
    }
    return router;
}

DataFolder DemoFolder(const CommandLine &commandLine)
{
    DataFolderInputs inputs = DataFolder::CurrentInputs(commandLine.dataDir);
    if (commandLine.dataDir.isEmpty())
        inputs.dataDirOption = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
            + QStringLiteral("/demo-") + commandLine.hubType;
    return DataFolder::Resolve(inputs);
}

bool WriteDemoSettings(LineMonitor &monitor, const SimulatedRouter &router, bool typeA)
{
    Settings &settings = monitor.settings();
    settings.setInteger(SettingKey::Type, RouterTypeIndex(typeA ? RouterType::TypeA : RouterType::TypeB));
    settings.setText(SettingKey::Address, router.address());
    settings.setText(SettingKey::Password, QStringLiteral("admin"));
    settings.setFlag(SettingKey::Login, true);
    settings.setInteger(SettingKey::Sample, 10);
    settings.setFlag(SettingKey::cbLog, true);
    settings.setText(typeA ? SettingKey::HHAUrl : SettingKey::HHBUrl, router.statisticsPath());
    return monitor.SaveIni();
}
