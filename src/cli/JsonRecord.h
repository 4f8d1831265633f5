// The whole configuration record as JSON and back: one key per record field, in record order,
// arrays for arrays, sub-records as objects, texts as strings of exactly their characters.
#pragma once

#include "model/ConfigRecord.h"

#include <QByteArray>
#include <QString>

namespace zx::cli {

// JSON text of a record, keys in record order (written directly: QJsonObject sorts keys).
QByteArray recordToJson(const model::ConfigRecord& record, int systemLanguage);

// Reads a record from JSON. Every key must be present with the right type and a value in
// range; unknown keys are refused too. On failure returns false and sets `error` to a text
// naming the key and the problem; `out` is then unspecified.
bool recordFromJson(const QByteArray& json, int systemLanguage, model::ConfigRecord& out,
                    QString& error);

} // namespace zx::cli
