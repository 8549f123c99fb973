#pragma once

#include <memory>
#include <string>
#include <thread>

class GDALDataset;
class GDALDriver;

namespace vardane {

// GDAL set-up shared by every writer. The drivers are registered on first
// use and kept for the life of the process: tearing the driver manager down
// after each file would cost a full re-registration per write and would pull
// the drivers from under any other GDAL user in the process.
namespace gdal_session {

// The "GTiff" driver; nullptr when GDAL was built without it. The first
// call registers the drivers the writers use (GeoTIFF, MEM, VRT, COG), opens
// PROJ's database, and points "GDAL_DATA", "PROJ_LIB" and "GEOTIFF_CSV" at
// a "gdal-data" folder in the program folder when there is one, once for
// the process.
GDALDriver* gtiff_driver();

// Well-known text of WGS 84 geographic coordinates (EPSG:4326), as PROJ's
// database exports it. Written out here because the text never changes and
// the database lookup costs every process a noticeable start-up, even one
// that only meets files that are no product.
inline constexpr const char* kWgs84Wkt =
    "GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563,AUTHORITY[\"EPSG\",\"7030\"]],"
    "AUTHORITY[\"EPSG\",\"6326\"]],PRIMEM[\"Greenwich\",0,AUTHORITY[\"EPSG\",\"8901\"]],UNIT[\"degree\","
    "0.0174532925199433,AUTHORITY[\"EPSG\",\"9122\"]],AXIS[\"Latitude\",NORTH],AXIS[\"Longitude\",EAST],"
    "AUTHORITY[\"EPSG\",\"4326\"]]";
std::string wgs84_wkt();

// Registers the drivers and has PROJ open its database on a thread of its
// own while the process does other work (recognising and reading its first
// product), so that the first GeoTIFF does not wait for either: together
// they cost a new process some 25 ms. The destructor waits for the thread.
class warm_up {
public:
    warm_up();
    ~warm_up();
    warm_up(const warm_up&) = delete;
    warm_up& operator=(const warm_up&) = delete;

private:
    std::thread thread_;
};

struct dataset_closer {
    void operator()(GDALDataset* ds) const;
};
// An open dataset; closing (and so flushing) happens on every path.
using dataset_ptr = std::unique_ptr<GDALDataset, dataset_closer>;

// Creates name as a GeoTIFF with GDAL's creation options (none: the plain
// strip layout); nullptr on failure. An uncompressed file that cannot fit
// on the disk is not begun.
dataset_ptr create_gtiff(const std::string& name, int width, int height, int bands, int gdalType,
                         const char* const* options = nullptr);

// Flushes and closes ds; false when GDAL reported a failure while doing so.
bool close(dataset_ptr& ds);

} // namespace gdal_session

} // namespace vardane
