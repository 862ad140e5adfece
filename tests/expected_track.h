#pragma once

// The track document a run must write, spelt out apart from the writer, for the
// tests and the fuzz targets to hold it to.

#include <string>

namespace testing_support {

inline std::string ExpectedTrack(const std::string& coordinates, bool flat = true) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
           "<kml xmlns=\"http://earth.google.com/kml/2.2\">\r\n"
           " <Document>\r\n"
           "  <name>Tarnlevik</name>\r\n"
           "   <Style id=\"brelquin\">\r\n"
           "    <LineStyle>\r\n"
           "     <color>ff0000ff</color>\r\n"
           "     <width>5</width>\r\n"
           "    </LineStyle>\r\n"
           "   </Style>\r\n"
           "  <Placemark>\r\n"
           "   <name>Flight</name>\r\n"
           "   <styleUrl>#brelquin</styleUrl>\r\n"
           "   <LineString>\r\n"
           "   <tessellate>1</tessellate>\r\n" +
           std::string(flat ? "   <altitudeMode>clampToGround</altitudeMode>\r\n"
                            : "   <altitudeMode>relativeToGround</altitudeMode>\r\n") +
           "    <coordinates>\r\n" + coordinates +
           "            </coordinates>\r\n"
           "   </LineString>\r\n"
           "  </Placemark>\r\n"
           " </Document>\r\n"
           "</kml>\r\n";
}

} // namespace testing_support
