#include "frame/Aufruf.h"

#include "platform/posix/PosixFileSystem.h"
#include "tests/text/QStringAusgabe.h"
#include "text/Parameter.h"

#include <gtest/gtest.h>

namespace mirbelon {
namespace {

TEST(Aufruf, HostPathsAndUrisBecomeTheSource)
{
    const PosixFileSystem files(
        DriveTable::parse(QStringLiteral("C=/home/anna;E=/media/anna/EOS_DIGITAL")));
    struct Fall
    {
        QStringList argumente;
        QString quelle; // what "Quelle=" then yields
        QString kommandozeile;
    };
    const QList<Fall> faelle{
        {{"Quelle=E:\\"}, "E:\\", "Quelle=E:\\"},
        {{"/media/anna/EOS_DIGITAL"}, "E:\\", "Quelle=E:\\"},
        {{"/media/anna/EOS_DIGITAL/"}, "E:\\", "Quelle=E:\\"},
        {{"Quelle=/media/anna/EOS_DIGITAL/DCIM"}, "E:\\DCIM", "Quelle=E:\\DCIM"},
        {{"quelle=/media/anna/EOS_DIGITAL/DCIM"}, "E:\\DCIM", "Quelle=E:\\DCIM"},
        {{"file:///media/anna/EOS_DIGITAL"}, "E:\\", "Quelle=E:\\"},
        {{"file:///media/anna/EOS_DIGITAL/Neuer%20Ordner"}, "E:\\Neuer Ordner",
         "Quelle=\"E:\\Neuer Ordner\""},
        {{"Quelle=file:///home/anna/Bilder"}, "C:\\Bilder", "Quelle=C:\\Bilder"},
        {{"./Bilder"}, "C:\\Bilder", "Quelle=C:\\Bilder"},
        {{"../anna/x/../Bilder"}, "C:\\Bilder", "Quelle=C:\\Bilder"},
        // A folder that is not there still becomes the source, which then is not there.
        {{"/gibt/es/nicht"}, "Z:\\gibt\\es\\nicht", "Quelle=Z:\\gibt\\es\\nicht"},
        {{"http://example.org/x"}, "", "http://example.org/x"},
        {{"/ordnerdat=D:\\Daten", "#debug", "/media/anna/EOS_DIGITAL"}, "E:\\",
         "/ordnerdat=D:\\Daten #debug Quelle=E:\\"},
        {{"/#debug"}, "", "/#debug"},
        {{"Quelle=?"}, "?", "Quelle=?"},
        {{"Quelle=D:\\Meine Fotos"}, "D:\\Meine Fotos", "Quelle=\"D:\\Meine Fotos\""},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.argumente.join(QLatin1Char(' ')).toStdString());
        const QString zeile = Kommandozeile(files, f.argumente, QStringLiteral("/home/anna"));
        EXPECT_EQ(zeile, f.kommandozeile);
        Parameter p;
        p.ParameterZerlegen(zeile);
        EXPECT_EQ(p.ParameterWert(QStringLiteral("Quelle=")), f.quelle);
    }
}

} // namespace
} // namespace mirbelon
