#include "xml/cp1251.h"
#include "xml/xml_common.h"
#include "xml/xmloutline.h"

#include <QDomDocument>
#include <QTest>

class TestXmlCommon : public QObject
{
    Q_OBJECT
private slots:
    void numberRules_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("decimal") << "26" << true << 26;
        QTest::newRow("plus") << "+26" << true << 26;
        QTest::newRow("dollar hex") << "$1A" << true << 26;
        QTest::newRow("x hex") << "x1A" << true << 26;
        QTest::newRow("X hex") << "X1a" << true << 26;
        QTest::newRow("0X hex") << "0X1a" << true << 26;
        QTest::newRow("negative hex") << "-0x10" << true << -16;
        QTest::newRow("hex pattern") << "0xFFFFFFFF" << true << -1;
        QTest::newRow("hex leading zeros do not count") << "0x000000000010" << true << 16;
        QTest::newRow("nine hex digits") << "0x1FFFFFFFF" << false << 0;
        QTest::newRow("leading blanks") << "   7" << true << 7;
        QTest::newRow("leading tab") << "\t7" << false << 0;
        QTest::newRow("trailing blank") << "7 " << false << 0;
        QTest::newRow("letters after") << "12abc" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("hex prefix only") << "0x" << false << 0;
        QTest::newRow("max") << "2147483647" << true << 2147483647;
        QTest::newRow("min") << "-2147483648" << true << int(-2147483647 - 1);
        QTest::newRow("overflow") << "2147483648" << false << 0;
        QTest::newRow("huge") << "99999999999999999999999999" << false << 0;
        QTest::newRow("zero") << "0" << true << 0;
        QTest::newRow("leading zeros decimal") << "007" << true << 7;
        QTest::newRow("blank between sign and digits") << "- 5" << false << 0;
        QTest::newRow("fullwidth digit") << QString::fromUtf8("１") << false << 0;
    }
    void numberRules()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        std::int32_t v = 12345;
        QCOMPARE(ParseNumber(text, v), ok);
        if (ok)
            QCOMPARE(v, value);
    }

    void groupDigits_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("nine") << "300050000" << "300 050 000";
        QTest::newRow("four") << "1234" << "1 234";
        QTest::newRow("three") << "999" << "999";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("seven") << "1234567" << "1 234 567";
    }
    void groupDigits()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(GroupDigits(in), out);
    }

    void readChildValues_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("error");
        QTest::newRow("number") << "<v>42</v>" << true << 42 << false;
        QTest::newRow("cdata") << "<v><![CDATA[43]]></v>" << true << 43 << false;
        QTest::newRow("empty element") << "<v/>" << true << -5 << false;
        QTest::newRow("not a number") << "<v>abc</v>" << true << -5 << false;
        QTest::newRow("missing") << "<w>1</w>" << false << -5 << false;
        QTest::newRow("other case") << "<V>1</V>" << false << -5 << false;
        QTest::newRow("child element") << "<v><x>1</x></v>" << true << -5 << true;
        QTest::newRow("text and comment") << "<v>1<!-- c --></v>" << true << -5 << true;
        QTest::newRow("first of two wins") << "<v>1</v><v>2</v>" << true << 1 << false;
    }
    void readChildValues()
    {
        QFETCH(QString, xml);
        QFETCH(bool, found);
        QFETCH(int, value);
        QFETCH(bool, error);
        QDomDocument doc;
        QVERIFY(doc.setContent(QStringLiteral("<r>") + xml + QStringLiteral("</r>")));
        XmlErrorScope scope;
        std::int32_t v = 999;
        QCOMPARE(ReadChildInt(v, doc.documentElement(), QStringLiteral("v"), -5), found);
        QCOMPARE(v, value);
        QCOMPARE(scope.failed(), error);
        if (error)
            QVERIFY2(scope.error().contains(QLatin1String("<v>")) && scope.error().contains(QLatin1String("1")),
                     qPrintable(scope.error()));
    }

    void readOnAbsentNode()
    {
        std::int32_t v = 1;
        QVERIFY(!ReadChildInt(v, QDomNode(), QStringLiteral("v"), 7));
        QCOMPARE(v, 7);
        QVERIFY(!ReadAttrInt(v, QDomNode(), QStringLiteral("a"), 8));
        QCOMPARE(v, 8);
        bool b = false;
        QVERIFY(!ReadChildBool(b, QDomNode(), QStringLiteral("v"), true));
        QVERIFY(b);
    }

    void boolsAndAttributes()
    {
        QDomDocument doc;
        QVERIFY(doc.setContent(QStringLiteral("<r a=' 0x0A' b='x'><f>2</f><g>0</g><h>z</h></r>")));
        const QDomElement r = doc.documentElement();
        std::int32_t v = 0;
        QVERIFY(ReadAttrInt(v, r, QStringLiteral("a"), -1));
        QCOMPARE(v, 10);
        QVERIFY(ReadAttrInt(v, r, QStringLiteral("b"), -1));
        QCOMPARE(v, -1);
        bool flag = false;
        QVERIFY(ReadChildBool(flag, r, QStringLiteral("f"), false));
        QVERIFY(flag);
        QVERIFY(ReadChildBool(flag, r, QStringLiteral("g"), true));
        QVERIFY(!flag);
        QVERIFY(ReadChildBool(flag, r, QStringLiteral("h"), true));
        QVERIFY(flag);
    }

    void writeRoutines()
    {
        QDomDocument doc;
        QDomElement root = doc.createElement(QStringLiteral("r"));
        doc.appendChild(root);
        WriteChildInt(root, QStringLiteral("a"), -42);
        WriteChildInt(root, QStringLiteral("b"), 300050000);
        WriteChildBool(root, QStringLiteral("c"), true);
        WriteChildBool(root, QStringLiteral("d"), false);
        QCOMPARE(doc.toString(-1), QStringLiteral("<r><a>-42</a><b>300050000</b><c>1</c><d>0</d></r>"));
    }

    void parseErrorsCarryPosition_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("where");
        QTest::newRow("good") << QByteArray("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<r>\xcf</r>") << true << QString();
        QTest::newRow("unclosed") << QByteArray("<r>\n<a>\n</r>") << false << QStringLiteral("строка 3");
        QTest::newRow("empty") << QByteArray() << false << QStringLiteral("строка");
        QTest::newRow("binary") << QByteArray("\x00\x01\x02", 3) << false << QStringLiteral("строка");
        QTest::newRow("deep") << (QByteArray(300, 'x').replace("x", "<a>") + QByteArray(300, 'x').replace("x", "</a>")) << false
                              << QStringLiteral("Слишком глубокая вложенность элементов (строка 1, столбец 771)");
        QTest::newRow("deep but allowed") << (QByteArray(200, 'x').replace("x", "<a>") + QByteArray(200, 'x').replace("x", "</a>")) << true << QString();
        QTest::newRow("deep, on the second line") << ("<r>\n" + QByteArray(300, 'x').replace("x", "<a/><a>")) << false
                                                   << QStringLiteral("(строка 2, столбец 1792)");
        QByteArray attributes;
        for (int i = 0; i < MaxXmlAttributes; ++i)
            attributes += " a" + QByteArray::number(i) + "='=>'";
        QTest::newRow("attributes at the limit") << "<r" + attributes + "/>" << true << QString();
        QTest::newRow("one attribute too many") << "<r" + attributes + " z='1'/>" << false
                                                << QStringLiteral("Слишком много атрибутов у элемента (строка 1, столбец 288)");
        QTest::newRow("markup in comments and sections is no element")
            << ("<r><!--" + QByteArray(300, 'x').replace("x", "<a b='1' c='2'>") + "--><![CDATA[<a><a>]]><?pi <a>?></r>") << true
            << QString();
        QTest::newRow("document type") << QByteArray("<!DOCTYPE r [<!ENTITY e 'x'>]><r>&e;</r>") << false
                                       << QStringLiteral("Определение типа документа не допускается");
        // Its markup is not single bytes, so the shape check could not count it.
        QTest::newRow("UTF-16") << QByteArray("\xff\xfe<\0r\0/\0>\0", 10) << false << QStringLiteral("UTF-16");
    }
    void parseErrorsCarryPosition()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, ok);
        QFETCH(QString, where);
        QDomDocument doc;
        QString error;
        XmlOutline outline;
        outline.Add(XmlOutline(QStringLiteral("a")));
        QCOMPARE(ParseXml(data, outline, doc, error), ok);
        QVERIFY2(error.contains(where), qPrintable(error));
        if (ok)
            QVERIFY(!doc.documentElement().isNull());
    }

    // Only what the outline names reaches the DOM: the first of each name, every
    // one of a repeated name up to its limit, the text of value elements.
    void outlineKeepsWhatTheReaderLooksAt()
    {
        XmlOutline outline;
        outline.Add(XmlOutline(QStringLiteral("v"), XmlOutline::Value));
        outline.Add(XmlOutline(QStringLiteral("item"), XmlOutline::Elements, 2)).Add(XmlOutline(QStringLiteral("w"), XmlOutline::Value));
        QDomDocument doc;
        QString error;
        const QByteArray text = "<?xml version='1.0' encoding='windows-1251'?><r x='1'><junk><v>9</v></junk><v>\xcf<![CDATA[1]]></v><v>2</v>"
                                "<item id='a'><w>3</w><w><bad/></w><other/></item><item id='b'/></r>";
        QVERIFY2(ParseXml(text, outline, doc, error), qPrintable(error));
        QCOMPARE(doc.toString(-1), QStringLiteral("<r x=\"1\"><v>П1</v><item id=\"a\"><w>3</w></item><item id=\"b\"/></r>"));

        QVERIFY(!ParseXml("<r><item/><item/><item/></r>", outline, doc, error));
        QCOMPARE(error, QStringLiteral("Слишком много элементов <item>: больше 2 (строка 1, столбец 24)"));
        QVERIFY(!ParseXml("<r>\n <v>1<!-- c --></v></r>", outline, doc, error));
        QCOMPARE(error, QStringLiteral("Элемент <v> (строка 2, столбец 4) должен содержать только значение"));
        QVERIFY(!ParseXml("<r><item><w><x/></w></item></r>", outline, doc, error));
        QVERIFY(error.contains(QStringLiteral("<w>")));
    }

    // Every byte decodes and encodes back, with or without Qt's own code page;
    // where Qt has it (ICU), it and the table agree on every byte.
    void codePageRoundTrip()
    {
        QByteArray all(256, '\0');
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        const QString text = cp1251::Decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(cp1251::Encode(text), all);
        QCOMPARE(text, cp1251::DecodeByTable(all));
        QCOMPARE(cp1251::Encode(cp1251::DecodeByTable(all)), all);
        qInfo("Qt's own windows-1251: %s", cp1251::QtHasCodePage() ? "yes" : "no, the table");
    }

    void codePageCharacters_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("capitals") << QByteArray("\xCA\xCE\xD0\xC4\xC0\xCD") << QStringLiteral("КОРДАН");
        QTest::newRow("small, last byte") << QByteArray("\xE0\xFF") << QStringLiteral("ая");
        QTest::newRow("yo, numero, euro") << QByteArray("\xA8\xB8\xB9\x88") << QStringLiteral("Ёё№€");
        QTest::newRow("Ukrainian, Serbian") << QByteArray("\xAA\xBA\xAF\xBF\xB2\xB3\xA5\xB4\x80\x90")
                                            << QStringLiteral("ЄєЇїІіҐґЂђ");
        QTest::newRow("unassigned byte") << QByteArray("\x98") << QStringLiteral("\u0098");
    }
    void codePageCharacters()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(cp1251::Decode(bytes), text);
        QCOMPARE(cp1251::Encode(text), bytes);
    }

    void codePageUnmappable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("question");
        QTest::addColumn<QByteArray>("reference");
        QTest::newRow("CJK") << QStringLiteral("Я中b") << QByteArray("\xDF?b") << QByteArray("\xDF&#20013;b");
        QTest::newRow("outside the BMP") << QString::fromUtf8("a\U0001F600") << QByteArray("a?") << QByteArray("a&#128512;");
    }
    void codePageUnmappable()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, question);
        QFETCH(QByteArray, reference);
        QCOMPARE(cp1251::Encode(text), question);
        QCOMPARE(cp1251::Encode(text, cp1251::Unmappable::XmlReference), reference);
    }

    void declaresCodePage_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<bool>("declared");
        QTest::newRow("ours") << QByteArray("<?xml version=\"1.0\" encoding=\"windows-1251\"?><r/>") << true;
        QTest::newRow("single quotes, capitals, blanks") << QByteArray("<?xml version='1.0' encoding = 'WINDOWS-1251' ?>") << true;
        QTest::newRow("alias") << QByteArray("<?xml version='1.0' encoding='cp1251'?>") << true;
        QTest::newRow("UTF-8") << QByteArray("<?xml version='1.0' encoding='UTF-8'?><r/>") << false;
        QTest::newRow("no encoding") << QByteArray("<?xml version='1.0'?><r a='windows-1251'/>") << false;
        QTest::newRow("no declaration") << QByteArray("<r encoding='windows-1251'/>") << false;
    }
    void declaresCodePage()
    {
        QFETCH(QByteArray, head);
        QFETCH(bool, declared);
        QCOMPARE(cp1251::DeclaresCp1251(head), declared);
    }

    // A document keeps every character through the file: Cyrillic as
    // windows-1251 bytes, anything else as a character reference.
    void documentTextSurvivesTheFile()
    {
        const QString text = QStringLiteral("Борт №12 — 中");
        QDomDocument doc;
        QDomElement root = doc.createElement(QStringLiteral("r"));
        doc.appendChild(root);
        root.setAttribute(QStringLiteral("a"), text);
        QDomElement v = doc.createElement(QStringLiteral("v"));
        v.appendChild(doc.createTextNode(text));
        root.appendChild(v);
        const QByteArray file = SerializeXml(doc);
        QVERIFY2(file.contains("\xC1\xEE\xF0\xF2 \xB9" "12 \x97 &#20013;"), file.constData());

        XmlOutline outline;
        outline.Add(XmlOutline(QStringLiteral("v"), XmlOutline::Value));
        QDomDocument back;
        QString error;
        QVERIFY2(ParseXml(file, outline, back, error), qPrintable(error));
        QCOMPARE(back.documentElement().attribute(QStringLiteral("a")), text);
        QCOMPARE(back.documentElement().firstChildElement().text(), text);
        // The same text declared UTF-8 is read as UTF-8.
        QVERIFY(ParseXml("<?xml version='1.0' encoding='UTF-8'?><r><v>" + text.toUtf8() + "</v></r>", outline, back, error));
        QCOMPARE(back.documentElement().firstChildElement().text(), text);
    }

    void nestedScopesReportInnermost()
    {
        XmlErrorScope outer;
        {
            XmlErrorScope inner;
            XmlErrorScope::Report(QStringLiteral("first"));
            XmlErrorScope::Report(QStringLiteral("second"));
            QCOMPARE(inner.error(), QStringLiteral("first"));
        }
        QVERIFY(!outer.failed());
    }
};

QTEST_APPLESS_MAIN(TestXmlCommon)
#include "tst_xmlcommon.moc"
