#include "printing/device/device_trace.h"

#include "foundation/dates/date_time.h"
#include "foundation/files/file_utils.h"
#include "foundation/numbers/number_date_utils.h"

std::string deviceTraceLine(std::string_view text)
{
    std::string line = "-- " + DataHoraFormatoBR(nowLocal(), "dd/mm hh:nn:ss:zzz") + " ";
    line += text;
    return line;
}

void writeDeviceTrace(std::string_view file, std::string_view text, bool translate)
{
    if (file.empty())
        return;
    GravaLinhaLog(file, deviceTraceLine(text), translate);
}
