// The time-zone rows; see timezonetable.h.
#include "admin/useragents/pages/timezonetable.h"

#include <QRegularExpression>

namespace {

struct Zone {
    const char *name;
    int bias;
};

constexpr Zone kZones[CTimeZoneTable::RowCount] = {
    {"(GMT-12:00) Eniwetok, Kwajalein", 720},
    {"(GMT-11:00) Midway Island, Samoa", 660},
    {"(GMT-10:00) Hawaii", 600},
    {"(GMT-09:00) Alaska", 540},
    {"(GMT-08:00) Pacific Time(US & Canada); Tijuana", 480},
    {"(GMT-07:00) Arizona", 420},
    {"(GMT-07:00) Mountain Time(US & Canada)", 420},
    {"(GMT-06:00) Central America", 360},
    {"(GMT-06:00) Central Time(US & Canada)", 360},
    {"(GMT-06:00) Mexico City", 360},
    {"(GMT-06:00) Saskatchewan", 360},
    {"(GMT-05:00) Bogota, Lima, Quito", 300},
    {"(GMT-05:00) Eastern Time(US & Canada)", 300},
    {"(GMT-05:00) Indiana (East)", 300},
    {"(GMT-04:00) Atlantic Time (Canada)", 240},
    {"(GMT-04:00) Caracas, La Paz", 240},
    {"(GMT-04:00) Santiago", 240},
    {"(GMT-03:30) Newfoundland", 210},
    {"(GMT-03:00) Brasilia", 180},
    {"(GMT-03:00) Buenos Aires, Georgetown", 180},
    {"(GMT-03:00) Greenland", 180},
    {"(GMT-02:00) Mid-Atlantic", 120},
    {"(GMT-01:00) Azores", 60},
    {"(GMT-01:00) Cape Verde Is.", 60},
    {"(GMT) Casablanca, Monrovia", 0},
    {"(GMT) Greenwich Mean Time: Dublin, Edinburgh, Lisbon, London", 0},
    {"(GMT+01:00) Amsterdam, Berlin, Bern, Rome, Stockholm, Vienna", -60},
    {"(GMT+01:00) Belgrade, Bratislava, Budapest, Ljubljana, Prague", -60},
    {"(GMT+01:00) Brussels, Copenhagen, Madrid, Paris", -60},
    {"(GMT+01:00) Sarajevo, Skopje, Sofija, Vilnius, Warasaw, Zagreb", -60},
    {"(GMT+01:00) West Central Africa", -60},
    {"(GMT+02:00) Athens, Istanbul, Minsk", -120},
    {"(GMT+02:00) Bucharest", -120},
    {"(GMT+02:00) Cairo", -120},
    {"(GMT+02:00) Harare Pretoria", -120},
    {"(GMT+02:00) Helsinki, Riga, Tallinn", -120},
    {"(GMT+02:00) Jerusalem", -120},
    {"(GMT+03:00) Baghdad", -180},
    {"(GMT+03:00) Kuwait, Riyadh", -180},
    {"(GMT+03:00) Moscow, St. Petersburg, Volgograd", -180},
    {"(GMT+03:00) Nairobi", -180},
    {"(GMT+03:30) Tehran", -210},
    {"(GMT+04:00) Abu Dhabi, Muscat", -240},
    {"(GMT+04:00) Baku, Tbilisi, Yerevan", -240},
    {"(GMT+04:30) Kabul", -270},
    {"(GMT+05:00) Ekaterinburg", -300},
    {"(GMT+05:00) Islamabad, Karachi, Tashkent", -300},
    {"(GMT+05:30) Calcutta, Chennai, Mumbai, New Delhi", -330},
    {"(GMT+05:45) Kathmandu", -345},
    {"(GMT+06:00) Almaty, Novosibirsk", -360},
    {"(GMT+06:00) Astana, Dhaka", -360},
    {"(GMT+06:00) Sri Jayawardenepura", -360},
    {"(GMT+06:30) Rangoon", -390},
    {"(GMT+07:00) Bangkok, Hanoi, Jakarta", -420},
    {"(GMT+07:00) Krasnoyarsk", -420},
    {"(GMT+08:00) Beijing, Chongqing, Hong Kong, Urumqi", -480},
    {"(GMT+08:00) Irkutsk, Ulaan Bataar", -480},
    {"(GMT+08:00) Kuala Lumpur, Singapore", -480},
    {"(GMT+08:00) Perth", -480},
    {"(GMT+08:00) Taipei", -480},
    {"(GMT+09:00) Osaka, Sapporo, Tokyo", -540},
    {"(GMT+09:00) Seoul", -540},
    {"(GMT+09:00) Yakutsk", -540},
    {"(GMT+09:30) Adelaide", -570},
    {"(GMT+09:30) Darwin", -570},
    {"(GMT+10:00) Brisbane", -600},
    {"(GMT+10:00) Canberra, Melbourne, Sydney", -600},
    {"(GMT+10:00) Guam, Port Moresby", -600},
    {"(GMT+10:00) Hobart", -600},
    {"(GMT+10:00) Vladivostok", -600},
    {"(GMT+11:00) Magadan, Solomon Is., New Caledonia", -660},
    {"(GMT+12:00) Auckland, Wellington", -720},
    {"(GMT+12:00) Fiji, Kamchatka, Marshall Is.", -720},
    {"(GMT+13:00) Nuku'alofa", -780},
};

} // namespace

QString CTimeZoneTable::Name(int row)
{
    return row >= 0 && row < RowCount ? QString::fromUtf8(kZones[row].name) : QString();
}

int CTimeZoneTable::Bias(int row)
{
    return row >= 0 && row < RowCount ? kZones[row].bias : 0;
}

std::optional<int> CTimeZoneTable::ParseBias(const QString &zone)
{
    // The zone's name: letters, or any text between "<" and ">".
    static const QRegularExpression offset(
        QStringLiteral("^(?:<[^>]*>|[A-Za-z]+)([+-]?)([0-9]{1,2})(?::([0-9]{1,2}))?"));
    const QRegularExpressionMatch match = offset.match(zone.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const int minutes = match.captured(2).toInt() * 60 + match.captured(3).toInt();
    return match.captured(1) == QLatin1String("-") ? -minutes : minutes;
}

std::optional<std::pair<int, int>> CTimeZoneTable::RowsOfBias(int bias)
{
    for (int first = 0; first < RowCount; ++first) {
        if (kZones[first].bias != bias)
            continue;
        int last = first;
        while (last + 1 < RowCount && kZones[last + 1].bias == bias)
            ++last;
        return std::pair{first, last};
    }
    return std::nullopt;
}
