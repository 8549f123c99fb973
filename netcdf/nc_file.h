#pragma once

#include <string>

namespace vardane {

// One netCDF classic file being written, with every library status turned
// into a readable failure. The id is closed on every path out of the scope;
// a file that was not finished (close() not reached) is aborted, and the
// owner removes what is left of it.
class nc_file {
public:
    nc_file() = default;
    ~nc_file();
    nc_file(const nc_file&) = delete;
    nc_file& operator=(const nc_file&) = delete;

    // Creates path in the classic format without replacing an existing file.
    // False, with a message naming the path, on failure.
    bool create(const std::string& path);

    int id() const { return id_; }
    bool is_open() const { return id_ >= 0; }

    // Define mode and data mode on demand; a call in the mode already current
    // does nothing.
    bool define_mode();
    bool data_mode();

    // Closes the file and reports the status of writing it out.
    bool close();
    // Gives up an unfinished file; what is on disk is the owner's to remove.
    void abort();
    // True once create() made a new file.
    bool created() const { return created_; }

    // status 0 is success; any other status records "what: library message"
    // as the failure and gives false.
    bool check(int status, const std::string& what);
    bool fail(const std::string& message);
    const std::string& error() const { return error_; }

private:
    int id_ = -1;
    bool defining_ = false;
    bool created_ = false;
    std::string error_;
};

} // namespace vardane
