#pragma once

// Data access over the Firebird client library: one connection, any number of
// transactions on it, and queries whose rows are fetched into a buffer that
// grids and reports read directly.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

namespace sql {

// Every failed database call, and every value the layer refuses to send,
// is reported as this one exception type.
class Error : public std::runtime_error {
public:
    explicit Error(const QString &message, long code = 0, int sqlCode = 0);

    // The database's own error text (several lines joined by "\n").
    const QString &message() const { return message_; }
    // The Firebird error code (isc_...), 0 when the error is the layer's own.
    long code() const { return code_; }
    // The SQLCODE the server reported, 0 when none.
    int sqlCode() const { return sqlCode_; }

private:
    QString message_;
    long code_;
    int sqlCode_;
};

class Transaction;
class Query;

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    void setDatabaseName(const QString &name) { databaseName_ = name; }
    const QString &databaseName() const { return databaseName_; }
    // Parameter lines such as "user_name=SYSDBA", "password=...", "lc_ctype=WIN1250".
    void setParams(const QStringList &lines) { params_ = lines; }
    const QStringList &params() const { return params_; }

    void open();
    // Closes the connection. Queries on it are closed and transactions still
    // active are rolled back first: the server refuses to detach otherwise.
    void close();
    bool connected() const { return handle_ != 0; }

    // Creates a new database file and runs the statements of a script in it
    // (separated by ";", comments allowed). Refuses to touch an existing file.
    // With forcedWrites every page the server writes goes to the disk at
    // once (what a real register needs); scratch databases may do without.
    static void createDatabase(const QString &path, const QString &script, bool forcedWrites = true,
                               const QString &user = QStringLiteral("SYSDBA"),
                               const QString &password = QStringLiteral("masterkey"));

    unsigned int *handle() { return &handle_; }

private:
    friend class Transaction;
    friend class Query;
    void dropFile();
    QString databaseName_;
    QStringList params_;
    unsigned int handle_ = 0;
    std::vector<Transaction *> transactions_;
    std::vector<Query *> queries_;
};

class Transaction {
public:
    explicit Transaction(Connection *connection);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    Connection *connection() const { return connection_; }
    // Parameter lines: "read_committed", "rec_version", "nowait", "concurrency",
    // "consistency", "wait", "read", "write", ... Write access is the default.
    void setParams(const QStringList &lines) { params_ = lines; }
    const QStringList &params() const { return params_; }

    void start();
    // Commit and rollback close every query that is open in this transaction.
    void commit();
    void rollback();
    bool active() const { return handle_ != 0; }

    // Starts the transaction when it is not active.
    void ensureActive();
    unsigned int *handle() { return &handle_; }

private:
    friend class Query;
    friend class Connection;
    void end(bool commit);
    Connection *connection_;
    QStringList params_;
    unsigned int handle_ = 0;
};

enum class Locate {
    Exact,                   // the whole text, letter case significant
    PrefixIgnoreCase,        // the field starts with the value, letter case ignored
};

// Field kinds as the layer reports them.
enum class FieldKind { Text, Integer, Decimal, Float, Date, Time, Timestamp, Blob, Boolean, Other };

class Query : public QObject {
    Q_OBJECT
public:
    Query(Connection *connection, Transaction *transaction, QObject *parent = nullptr);
    ~Query() override;

    Connection *connection() const { return connection_; }
    Transaction *transaction() const { return transaction_; }
    // Rebinding closes the query first; the prepared statement stays prepared.
    void setTransaction(Transaction *transaction);

    // The statement, one text line per entry. Changing it unprepares the query.
    const QStringList &sql() const { return sql_; }
    void setSql(const QStringList &lines);
    void clearSql();
    void addSql(const QString &line);
    QString sqlText() const { return sql_.join(QLatin1Char('\n')); }

    // Parameters by name (":Name" in the statement), letter case ignored.
    // A parameter without a value is NULL. Values stay bound until changed,
    // until clearParams, or until the statement text changes.
    void setParam(const QString &name, const QString &value);
    void setParamNull(const QString &name);
    void setParamBlob(const QString &name, const QByteArray &bytes);
    void clearParams();
    QStringList paramNames() const;

    void prepare();
    void unprepare();
    bool prepared() const { return statement_ != 0; }
    bool isSelect() const { return isSelect_; }

    // Runs a select and fetches the first row.
    void open();
    void close();
    bool isOpen() const { return open_; }
    // Runs a statement that returns no rows (or a single row, as EXECUTE PROCEDURE).
    void execute();
    // Number of rows changed by the last execute (insert, update, delete).
    int rowsAffected() const { return rowsAffected_; }

    void fetchAll();
    bool allFetched() const { return !cursorOpen_; }

    // Rows fetched so far; exact after fetchAll.
    int recordCount() const { return int(rowOffsets_.size()); }
    // 1-based number of the current row, 0 when there is none.
    int recNo() const { return current_ + 1; }
    int currentRow() const { return current_; }
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    void first();
    void next();
    void prior();
    void last();
    // Makes a fetched row current (0-based); out-of-range rows are ignored.
    void moveTo(int row);

    int fieldCount() const { return int(fields_.size()); }
    // Upper-case alias of a result column.
    QString fieldName(int column) const;
    FieldKind fieldKind(int column) const;
    // -1 when the result has no such column (letter case ignored).
    int fieldIndex(const QString &name) const;

    // Values of the current row. An unknown field name throws.
    QString fieldText(const QString &name) const;
    bool isNull(const QString &name) const;
    QByteArray fieldBytes(const QString &name) const;

    // Values of any fetched row, for grids and reports.
    QString text(int row, int column) const;
    bool isNull(int row, int column) const;
    QByteArray bytes(int row, int column) const;

    // Searches from the first row; on a match the row becomes current and
    // true is returned, otherwise the current row stays as it was.
    bool locate(const QString &field, const QString &value, Locate mode = Locate::Exact);

    // The statement text last sent to the server (parameters as "?").
    const QString &preparedText() const { return preparedText_; }

signals:
    void opened();
    void closed();
    void rowsFetched(int first, int last);
    void currentChanged(int row);

private:
    friend class Transaction;
    friend class Connection;
    struct Field {
        short type = 0;
        short scale = 0;
        short subType = 0;
        short length = 0;
        QString name;
    };
    struct Param {
        enum Kind { Null, Text, Blob } kind = Null;
        QByteArray bytes;  // encoded text or blob bytes
    };

    void requireConnection() const;
    void parseParams();
    void bindParams();
    bool fetchRow();
    void packRow(Transaction *in);
    void closeCursor();
    void resetRows();
    int requireField(const QString &name) const;
    const char *cell(int row, int column, bool &null, quint32 &size) const;
    void setCurrent(int row);
    void detach();

    Connection *connection_;
    Transaction *transaction_;
    QStringList sql_;
    QString preparedText_;
    std::map<QString, Param> params_;           // by upper-case name
    std::vector<QString> paramOrder_;           // upper-case name of each "?"
    bool paramsParsed_ = false;

    unsigned int statement_ = 0;
    bool isSelect_ = false;
    bool open_ = false;
    bool cursorOpen_ = false;
    Transaction *cursorTransaction_ = nullptr;  // while the server cursor is open
    Transaction *openedIn_ = nullptr;           // from open() until close()
    int rowsAffected_ = 0;

    std::vector<Field> fields_;
    std::unique_ptr<char[]> outDa_;             // XSQLDA of the result
    std::vector<char> outBuffer_;               // where a fetched row lands
    std::vector<short> outNulls_;
    std::unique_ptr<char[]> inDa_;              // XSQLDA of the parameters
    std::vector<char> inBuffer_;
    std::vector<short> inNulls_;
    std::vector<short> inTypes_;                // the kinds the server described
    std::vector<short> inScales_;

    // Fetched rows, packed: per column a null flag, a 32-bit length and the bytes.
    std::vector<char> arena_;
    std::vector<size_t> rowOffsets_;

    int current_ = -1;
    bool eof_ = true;
    bool bof_ = true;
};

// Binds one query to the grids and navigators that show it.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(Query *query, QObject *parent = nullptr);
    Query *query() const { return query_; }

signals:
    // The query was opened or closed: views read their rows anew.
    void reset();
    // Rows were appended to the buffer.
    void rowsFetched(int first, int last);
    // The current record moved.
    void currentChanged(int row);

private:
    Query *query_;
};

// Observes every statement sent to the server (tests use it).
using StatementObserver = std::function<void(const QString &text)>;
void setStatementObserver(StatementObserver observer);

} // namespace sql
