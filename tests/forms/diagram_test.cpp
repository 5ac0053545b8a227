#include <QImage>
#include <QtTest>

#include "forms/diagram.h"
#include "forms/diagram_geometry.h"

using namespace pedivo::forms;

class DiagramTest : public QObject {
  Q_OBJECT

 private slots:
  void eachTypeShowsItsBoltArrangement() {
    const std::vector<std::pair<std::string, std::size_t>> bolts{{"j1", 2}, {"j2", 4}, {"g11", 8}, {"g12", 10},
                                                                 {"g2", 6}, {"g3", 4}, {"gc", 0}};
    for (const auto& [id, count] : bolts) {
      const View drawing = baseDrawing(id, BaseDimensions{}).plan();
      QCOMPARE(drawing.bolts.size(), count);
      // Every bolt stands on the plate, clear of its edges.
      for (const Bolt& bolt : drawing.bolts) {
        QVERIFY2(bolt.x - bolt.diameter / 2 > drawing.left && bolt.x + bolt.diameter / 2 < drawing.right, id.c_str());
        QVERIFY2(bolt.y - bolt.diameter / 2 > drawing.top && bolt.y + bolt.diameter / 2 < drawing.bottom, id.c_str());
      }
    }
  }

  void dimensionsCarryTheNamesOfTheWindows() {
    const auto labels = [](const std::string& id) {
      QStringList names;
      for (const View& view : baseDrawing(id, BaseDimensions{}).views)
        for (const Dimension& d : view.dimensions) names.append(QString::fromStdString(d.label));
      return names;
    };
    for (const char* id : {"j1", "j2", "g11", "g12", "g2", "g3"}) {
      const QStringList names = labels(id);
      for (const char* name : {"L", "B", "hb", "bf"}) QVERIFY2(names.contains(name), qPrintable(QString(id) + " " + name));
    }
    for (const char* id : {"g11", "g12", "g2"})
      for (const char* name : {"a", "c", "lt", "bt"}) QVERIFY2(labels(id).contains(name), qPrintable(QString(id) + " " + name));
    QVERIFY(labels("gc").contains("dc"));
    // Heights that a plan cannot show stand in an elevation beside it.
    QVERIFY(labels("g11").contains("hs"));
    QVERIFY(labels("g2").contains("hsh"));
  }

  void drawingFollowsTheDimensionsItIsGiven() {
    BaseDimensions deep;
    deep.hb = 900;
    const View normal = baseDrawing("g11", BaseDimensions{}).plan();
    const View longer = baseDrawing("g11", deep).plan();
    QCOMPARE(longer.right - longer.left, normal.right - normal.left + 450);
    QCOMPARE(longer.bottom - longer.top, normal.bottom - normal.top);
  }

  void bitmapsBesideTheProgramLoadAndDifferFromEachOther() {
    const QString folder = QCoreApplication::applicationDirPath() + "/";
    QList<QImage> images;
    for (const char* file : {"j2.bmp", "j4.bmp", "g11.bmp", "g12.bmp", "g2.bmp", "g3.bmp", "gc.bmp"}) {
      QImage image;
      QVERIFY2(image.load(folder + file), file);
      QCOMPARE(image.size(), QSize(321, 193));
      for (const QImage& other : images) QVERIFY2(image != other, file);
      images.append(image);
    }
  }
};

QTEST_MAIN(DiagramTest)
#include "diagram_test.moc"
