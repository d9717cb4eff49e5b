// The calculator state and the control model as one line of JSON.
#pragma once

#include "session/Session.h"

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>

#include <string_view>

namespace tarvex::replay {

// A double as a JSON value: a number for a finite value, the strings "Infinity",
// "-Infinity" and "NaN" otherwise. Negative zero gets a placeholder that ecrireJson
// turns into -0.0.
QJsonValue nombreJson(double v);

// Compact JSON text of an object, without a line end, numbers in their shortest
// round-trip form and negative zero as -0.0.
QByteArray ecrireJson(const QJsonObject& objet);

// The whole state: the record, the controls, focus, beeps and manual requests, the
// clipboard (what the last copy gave), the depths of undo and redo, and localeNumeric
// (the LC_NUMERIC locale the run uses).
QJsonObject etatJson(const Session& session, std::string_view pressePapier,
                     std::string_view localeNumeric);

} // namespace tarvex::replay
