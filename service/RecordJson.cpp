#include "service/RecordJson.h"

#include <QJsonArray>

namespace RecordJson {

namespace {

QString time(const QDateTime& t) {
    return t.isValid() ? Records::timeText(t) : QString();
}

} // namespace

QJsonObject of(const Records::Run& run) {
    return {{"id", run.id},
            {"station", run.station},
            {"operator", run.operatorName},
            {"profile_file", run.profileFile},
            {"profile_sha256", run.profileSha256},
            {"profile_text", run.profileText},
            {"started", time(run.started)},
            {"ended", time(run.ended)}};
}

QJsonObject of(const Records::Unit& unit) {
    QJsonArray items;
    for (const Records::Item& item : unit.items)
        items << QJsonObject{{"item", item.item},
                             {"wanted", item.wanted},
                             {"found", item.found},
                             {"result", item.result}};
    return {{"id", unit.id},
            {"serial", unit.serial},
            {"run", unit.runId},
            {"port", unit.port},
            {"started", time(unit.started)},
            {"ended", time(unit.ended)},
            {"outcome", Records::outcomeName(unit.outcome)},
            {"headline", unit.headline},
            {"items", items},
            {"station", unit.station},
            {"operator", unit.operatorName},
            {"profile_file", unit.profileFile}};
}

Records::Run run(const QJsonObject& o) {
    return {o["id"].toString(),
            o["station"].toString(),
            o["operator"].toString(),
            o["profile_file"].toString(),
            o["profile_sha256"].toString(),
            o["profile_text"].toString(),
            Records::timeFrom(o["started"].toString()),
            Records::timeFrom(o["ended"].toString())};
}

Records::Unit unit(const QJsonObject& o) {
    Records::Unit unit{
        o["id"].toString(),
        o["serial"].toString(),
        o["run"].toString(),
        o["port"].toString(),
        Records::timeFrom(o["started"].toString()),
        Records::timeFrom(o["ended"].toString()),
        Records::outcomeFrom(o["outcome"].toString()).value_or(Records::Outcome::Stopped),
        o["headline"].toString(),
        {},
        o["station"].toString(),
        o["operator"].toString(),
        o["profile_file"].toString()};
    for (const auto& value : o["items"].toArray()) {
        const QJsonObject item = value.toObject();
        unit.items << Records::Item{item["item"].toString(), item["wanted"].toString(),
                                    item["found"].toString(), item["result"].toString()};
    }
    return unit;
}

} // namespace RecordJson
