// The project reader on any file, read as a project file and as a legacy
// text: a file is read or refused, never more. What was read is written as
// a project file's body and read back, which must not be refused and must
// hold all it declares.
#include <cstdlib>
#include <string>

#include "files/project_reader.h"
#include "files/project_writer.h"
#include "fuzz_support.h"
#include "model/state.h"
#include "platform/sysutils.h"

namespace {

void expect(bool condition) {
    if (!condition) std::abort();
}

model_state& state() {
    static model_state* s = [] {
        auto* m = new model_state;
        set_model(m);
        return m;
    }();
    return *s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    model_state& m = state();
    decimal_separator = '.';
    for (const project_kind kind : {project_kind::project, project_kind::legacy}) {
        project_content content;
        try {
            const project_text text{std::string(input_text(data, size))};
            read_project(text, kind, content);
        } catch (const project_file_error&) {
            continue;
        }
        m.profiles = std::move(content.profiles);
        m.project.sumps = std::move(content.sumps);
        m.project.pipe_series = std::move(content.pipe_series);
        std::string body;
        project_body(body);
        project_content again;
        try {
            read_project(project_text(body), project_kind::project, again);
        } catch (const project_file_error&) {
            expect(false);
        }
        expect(again.profiles.size() == m.profiles.size());
        // The body holds every node it declares.
        expect(again.missing.empty());
    }
    return 0;
}
