#include "text/Parameter.h"

#include "tests/text/QStringAusgabe.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace mirbelon {
namespace {

QString S(const char *text)
{
    return QString::fromUtf8(text);
}

TEST(ParameterWert, ReadsTheSourceArgument)
{
    const struct
    {
        const char *name;
        const char *zeile;
        const char *erwartet;
    } faelle[] = {
        { "plain", "Quelle=E:\\", "E:\\" },
        { "name ignores case", "quelle=E:\\", "E:\\" },
        { "question mark", "Quelle=?", "?" },
        { "last of two wins", "Quelle=E:\\ Quelle=F:\\", "F:\\" },
        { "whole argument quoted", "\"Quelle=D:\\Meine Fotos\"", "D:\\Meine Fotos" },
        { "value quoted", "Quelle=\"D:\\Meine Fotos\"", "D:\\Meine Fotos" },
        { "unquoted blank splits", "Quelle=D:\\Meine Fotos", "D:\\Meine" },
        { "slash separates", "Quelle=D:/Fotos", "D:" },
        { "among other arguments", "#debug,Quelle=E:\\Dcim;x|y", "E:\\Dcim" },
        { "missing", "#debug /ordnerdat=C:\\x", "" },
        { "empty value", "Quelle=", "" },
        { "unmatched quote is never stored", "Quelle=\"", "" },
        { "empty line", "", "" },
    };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        Parameter parameter;
        parameter.ParameterZerlegen(S(fall.zeile));
        EXPECT_EQ(parameter.ParameterWert(S("Quelle=")), S(fall.erwartet));
    }
}

TEST(Kommandozeile, ArgumentsOfTheShellReadBackAsTyped)
{
    const struct
    {
        QStringList argumente;
        const char *name;
        const char *wert;
    } faelle[] = {
        {{S("Quelle=E:\\Meine Fotos")}, "Quelle=", "E:\\Meine Fotos"},
        {{S("#debug"), S("/OrdnerDat=C:\\Foto daten")}, "OrdnerDat=", "C:\\Foto daten"},
        {{S("/OrdnerDat=\"C:\\Foto daten\"")}, "OrdnerDat=", "C:\\Foto daten"},
        {{S("/ordnerdat=C:\\Fotos"), S("Quelle=?")}, "OrdnerDat=", "C:\\Fotos"},
    };
    for (const auto &fall : faelle) {
        const QString zeile = Kommandozeile(fall.argumente);
        SCOPED_TRACE(zeile.toStdString());
        Parameter parameter;
        parameter.ParameterZerlegen(zeile);
        EXPECT_EQ(parameter.ParameterWert(S(fall.name)), S(fall.wert));
    }
}

TEST(ParameterZerlegen, SplitsAtSeparatorsOutsideQuotes)
{
    Parameter parameter;
    EXPECT_EQ(parameter.ParameterZerlegen(S("  a//b,\"c d\"\te\r\nf ")), 5);
    EXPECT_EQ(parameter.argument(1), S("a"));
    EXPECT_EQ(parameter.argument(2), S("b"));
    EXPECT_EQ(parameter.argument(3), S("c d"));
    EXPECT_EQ(parameter.argument(4), S("e"));
    EXPECT_EQ(parameter.argument(5), S("f"));
    EXPECT_EQ(parameter.argument(6), QString());
    EXPECT_EQ(parameter.argument(0), QString());

    // A quote inside an argument stays, and keeps its blank.
    EXPECT_EQ(parameter.ParameterZerlegen(S("x=\"1 2\"y z")), 2);
    EXPECT_EQ(parameter.argument(1), S("x=\"1 2\"y"));

    // Text after an unmatched quote is never stored.
    EXPECT_EQ(parameter.ParameterZerlegen(S("a \"b c")), 1);
    EXPECT_EQ(parameter.argument(1), S("a"));
    EXPECT_EQ(parameter.ParameterWert(S("\"b")), QString());
}

TEST(ParameterZerlegen, OwnSeparatorsReplaceTheDefaults)
{
    Parameter parameter;
    EXPECT_EQ(parameter.ParameterZerlegen(S("a b#c"), S("#")), 2);
    EXPECT_EQ(parameter.argument(1), S("a b"));
    EXPECT_EQ(parameter.argument(2), S("c"));
}

TEST(ParameterZerlegen, ClearsTheEarlierList)
{
    Parameter parameter;
    parameter.ParameterZerlegen(S("Quelle=E:\\ b c"));
    EXPECT_EQ(parameter.ParameterZerlegen(S("x")), 1);
    EXPECT_EQ(parameter.ParameterWert(S("Quelle=")), QString());
    EXPECT_EQ(parameter.argument(2), QString());
}

TEST(ParameterZerlegen, ArgumentsBeyondTheLastSlotOverwriteIt)
{
    QStringList teile;
    for (int i = 1; i <= Parameter::kMax + 3; ++i)
        teile << QStringLiteral("a%1").arg(i);
    Parameter parameter;
    EXPECT_EQ(parameter.ParameterZerlegen(teile.join(QLatin1Char(' '))), Parameter::kMax);
    EXPECT_EQ(parameter.argument(Parameter::kMax - 1), QStringLiteral("a254"));
    EXPECT_EQ(parameter.argument(Parameter::kMax), QStringLiteral("a258"));
    EXPECT_EQ(parameter.ParameterWert(QStringLiteral("a25")), QStringLiteral("8"));
}

} // namespace
} // namespace mirbelon
