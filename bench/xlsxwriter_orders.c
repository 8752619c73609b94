/* The comparison writer of xlsx_import_bench: the orders table read from its
 * SQLite file and written by libxlsxwriter in constant-memory mode, the
 * fastest .xlsx writer measured on this machine. The same cells as the
 * host's import: a heading row of field names, numbers as numbers, text as
 * text, dates and date-times with the host's formats, NULL left empty.
 *
 *   xlsxwriter_orders ORDERS.db OUT.xlsx
 */
#include <sqlite3.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <xlsxwriter.h>

static int parseDate(const char* text, lxw_datetime* out) {
  memset(out, 0, sizeof *out);
  if (sscanf(text, "%d-%d-%d", &out->year, &out->month, &out->day) != 3) return 0;
  if (strlen(text) > 10) {
    if (sscanf(text + 11, "%d:%d:%lf", &out->hour, &out->min, &out->sec) != 3) return 0;
  }
  return 1;
}

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: xlsxwriter_orders ORDERS.db OUT.xlsx\n");
    return 2;
  }
  sqlite3* db = NULL;
  if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READONLY, NULL) != SQLITE_OK) {
    fprintf(stderr, "cannot open %s: %s\n", argv[1], sqlite3_errmsg(db));
    return 1;
  }
  sqlite3_stmt* statement = NULL;
  if (sqlite3_prepare_v2(db, "SELECT * FROM orders", -1, &statement, NULL) != SQLITE_OK) {
    fprintf(stderr, "cannot query: %s\n", sqlite3_errmsg(db));
    return 1;
  }
  lxw_workbook_options options = {.constant_memory = LXW_TRUE, .tmpdir = NULL, .use_zip64 = LXW_FALSE};
  lxw_workbook* workbook = workbook_new_opt(argv[2], &options);
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, NULL);
  lxw_format* date = workbook_add_format(workbook);
  format_set_num_format(date, "yyyy-mm-dd");
  lxw_format* dateTime = workbook_add_format(workbook);
  format_set_num_format(dateTime, "yyyy-mm-dd hh:mm:ss");

  int columns = sqlite3_column_count(statement);
  for (int c = 0; c < columns; ++c) worksheet_write_string(sheet, 0, (lxw_col_t)c, sqlite3_column_name(statement, c), NULL);
  lxw_row_t row = 1;
  while (sqlite3_step(statement) == SQLITE_ROW) {
    for (int c = 0; c < columns; ++c) {
      const char* declared = sqlite3_column_decltype(statement, c);
      switch (sqlite3_column_type(statement, c)) {
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
          worksheet_write_number(sheet, row, (lxw_col_t)c, sqlite3_column_double(statement, c), NULL);
          break;
        case SQLITE_TEXT: {
          const char* text = (const char*)sqlite3_column_text(statement, c);
          lxw_datetime when;
          if (declared && (strcmp(declared, "DATE") == 0 || strcmp(declared, "TIMESTAMP") == 0) && parseDate(text, &when))
            worksheet_write_datetime(sheet, row, (lxw_col_t)c, &when, strlen(text) > 10 ? dateTime : date);
          else
            worksheet_write_string(sheet, row, (lxw_col_t)c, text, NULL);
          break;
        }
        default:
          break; /* NULL: an empty cell */
      }
    }
    ++row;
  }
  sqlite3_finalize(statement);
  sqlite3_close(db);
  lxw_error error = workbook_close(workbook);
  if (error != LXW_NO_ERROR) {
    fprintf(stderr, "libxlsxwriter: %s\n", lxw_strerror(error));
    return 1;
  }
  return 0;
}
