#include "query/form_sql_new.h"
#include "query/statement_file.h"
#include "support/m_error_handler.h"

// Open and Save: statements kept in plain text files.
namespace tavrello {

void formSQLNew::CommandOpenQueryFile_Click() {
  MErrorHandler::handled(kModule, "CommandOpenQueryFile_Click", [this] {
    CommonDialog2.InitDir(statementFolder());
    CommonDialog2.ShowOpen();
    if (CommonDialog2.FileName().empty()) return;
    // The text reaches the builder when the box next loses the focus.
    TextSQL.Text(readStatementFile(CommonDialog2.FileName()));
  });
}

void formSQLNew::CommandSave_Click() {
  MErrorHandler::handled(kModule, "CommandSave_Click", [this] {
    CommonDialog2.InitDir(statementFolder());
    CommonDialog2.ShowSave();
    if (CommonDialog2.FileName().empty()) return;
    writeStatementFile(CommonDialog2.FileName(), TextSQL.Text());
  });
}

}  // namespace tavrello
