#include "sql.h"

#include "platform/text/cp1250.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <ibase.h>

#include <algorithm>
#include <charconv>
#include <cstring>

static_assert(sizeof(FB_API_HANDLE) == sizeof(unsigned int), "handles are stored as unsigned int");

namespace sql {

namespace {

constexpr short kCharsetWin1250 = 51;
constexpr unsigned short kBlobSegment = 32768;

StatementObserver &observer()
{
    static StatementObserver o;
    return o;
}

QString decodeMessage(const char *s)
{
    const QByteArray b(s);
    QString u = QString::fromUtf8(b);
    if (u.contains(QChar::ReplacementCharacter))
        return text::decode(b);
    return u;
}

[[noreturn]] void throwStatus(const ISC_STATUS *status)
{
    QStringList lines;
    const ISC_STATUS *p = status;
    char buf[1024];
    while (fb_interpret(buf, sizeof buf, &p) > 0)
        lines << decodeMessage(buf);
    const long code = status[1];
    const int sqlCode = int(isc_sqlcode(status));
    QString msg = lines.join(QLatin1Char('\n'));
    if (msg.isEmpty())
        msg = QStringLiteral("Błąd bazy danych (kod %1)").arg(code);
    throw Error(msg, code, sqlCode);
}

inline void check(const ISC_STATUS *status)
{
    if (status[0] == 1 && status[1] != 0)
        throwStatus(status);
}

QByteArray encodeOrThrow(const QString &value)
{
    qsizetype bad = -1;
    QByteArray b = text::encode(value, &bad);
    if (bad >= 0) {
        const uint cp = value[bad].isHighSurrogate() && bad + 1 < value.size()
                            ? QChar::surrogateToUcs4(value[bad], value[bad + 1])
                            : value[bad].unicode();
        const QString ch = QString::fromUcs4(reinterpret_cast<const char32_t *>(&cp), 1);
        throw Error(QStringLiteral("Znak \u201E%1\u201D (U+%2) nie może zostać zapisany w bazie danych: "
                                   "baza przechowuje teksty w kodowaniu Windows-1250.")
                        .arg(ch, QString::number(cp, 16).toUpper().rightJustified(4, QLatin1Char('0'))));
    }
    return b;
}

XSQLDA *da(const std::unique_ptr<char[]> &p)
{
    return reinterpret_cast<XSQLDA *>(p.get());
}

std::unique_ptr<char[]> allocDa(int n)
{
    const int count = std::max(n, 1);
    auto p = std::make_unique<char[]>(XSQLDA_LENGTH(count));
    std::memset(p.get(), 0, XSQLDA_LENGTH(count));
    XSQLDA *d = reinterpret_cast<XSQLDA *>(p.get());
    d->version = SQLDA_VERSION1;
    d->sqln = short(count);
    return p;
}

QString integerText(qint64 v, int scale)
{
    // scale <= 0: the value is v * 10^scale; shortest decimal form.
    char buf[40];
    auto res = std::to_chars(buf, buf + sizeof buf, v < 0 ? -(unsigned long long)v : (unsigned long long)v);
    std::string digits(buf, res.ptr);
    const int frac = -scale;
    if (frac <= 0) {
        std::string s = v < 0 ? "-" + digits : digits;
        for (int i = 0; i < scale; ++i)
            s += '0';
        return QString::fromLatin1(s.data(), qsizetype(s.size()));
    }
    if (int(digits.size()) <= frac)
        digits.insert(0, std::string(frac - digits.size() + 1, '0'));
    std::string intPart = digits.substr(0, digits.size() - frac);
    std::string fracPart = digits.substr(digits.size() - frac);
    while (!fracPart.empty() && fracPart.back() == '0')
        fracPart.pop_back();
    std::string s = (v < 0 ? "-" : "") + intPart;
    if (!fracPart.empty())
        s += "." + fracPart;
    if (s == "-0")
        s = "0";
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

QString dateText(const ISC_DATE &d)
{
    struct tm t {};
    isc_decode_sql_date(&d, &t);
    return QString::asprintf("%04d-%02d-%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
}

QString timeText(const ISC_TIME &tm)
{
    const unsigned secs = unsigned(tm / ISC_TIME_SECONDS_PRECISION);
    return QString::asprintf("%02u:%02u:%02u", secs / 3600, (secs / 60) % 60, secs % 60);
}

QStringList splitScript(const QString &script)
{
    // Statements end at ";" outside quotes and comments.
    QStringList out;
    QString cur;
    const qsizetype n = script.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = script[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype j = script.indexOf(c, i + 1);
            const qsizetype end = j < 0 ? n - 1 : j;
            cur += script.mid(i, end - i + 1);
            i = end;
        } else if (c == QLatin1Char('-') && i + 1 < n && script[i + 1] == QLatin1Char('-')) {
            const qsizetype j = script.indexOf(QLatin1Char('\n'), i);
            i = j < 0 ? n : j;
            cur += QLatin1Char('\n');
        } else if (c == QLatin1Char('/') && i + 1 < n && script[i + 1] == QLatin1Char('*')) {
            const qsizetype j = script.indexOf(QStringLiteral("*/"), i + 2);
            i = j < 0 ? n : j + 1;
            cur += QLatin1Char(' ');
        } else if (c == QLatin1Char(';')) {
            if (!cur.trimmed().isEmpty())
                out << cur.trimmed();
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.trimmed().isEmpty())
        out << cur.trimmed();
    return out;
}

} // namespace

// ---------------------------------------------------------------- Error

Error::Error(const QString &message, long code, int sqlCode)
    : std::runtime_error(message.toStdString()), message_(message), code_(code), sqlCode_(sqlCode)
{
}

void setStatementObserver(StatementObserver o)
{
    observer() = std::move(o);
}

// ---------------------------------------------------------------- Connection

Connection::Connection() = default;

Connection::~Connection()
{
    try {
        close();
    } catch (...) {
    }
    for (Transaction *t : transactions_)
        t->connection_ = nullptr;
    for (Query *q : queries_)
        q->connection_ = nullptr;
}

void Connection::open()
{
    if (connected())
        return;
    std::string dpb;
    dpb += char(isc_dpb_version1);
    auto add = [&dpb](char tag, const QByteArray &value) {
        if (value.size() > 255)
            throw Error(QStringLiteral("Parametr połączenia jest za długi"));
        dpb += tag;
        dpb += char(value.size());
        dpb.append(value.constData(), size_t(value.size()));
    };
    for (const QString &line : params_) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString key = (eq < 0 ? line : line.left(eq)).trimmed().toLower();
        const QByteArray value = (eq < 0 ? QString() : line.mid(eq + 1)).toUtf8();
        if (key == QLatin1String("user_name"))
            add(char(isc_dpb_user_name), value);
        else if (key == QLatin1String("password"))
            add(char(isc_dpb_password), value);
        else if (key == QLatin1String("lc_ctype"))
            add(char(isc_dpb_lc_ctype), value);
        else if (key == QLatin1String("sql_role_name"))
            add(char(isc_dpb_sql_role_name), value);
        else if (key == QLatin1String("force_write")) {
            // Whether every page is written through to the disk at once; kept
            // in the file's header. Only bulk loads switch it off for a while.
            dpb += char(isc_dpb_force_write);
            dpb += char(1);
            dpb += char(value.trimmed() == "0" ? 0 : 1);
        }
        else if (!key.isEmpty())
            throw Error(QStringLiteral("Nieznany parametr połączenia: %1").arg(key));
    }
    dpb += char(isc_dpb_sql_dialect);
    dpb += char(1);
    dpb += char(3);

    const QByteArray name = QFileInfo(databaseName_).isRelative() && !databaseName_.contains(QLatin1Char(':'))
                                ? QFileInfo(databaseName_).absoluteFilePath().toUtf8()
                                : databaseName_.toUtf8();
    ISC_STATUS_ARRAY status;
    isc_db_handle h = 0;
    isc_attach_database(status, short(name.size()), name.constData(), &h, short(dpb.size()), dpb.data());
    check(status);
    handle_ = h;
}

void Connection::close()
{
    if (!connected())
        return;
    for (Query *q : std::vector<Query *>(queries_))
        q->detach();
    for (Transaction *t : transactions_)
        if (t->active()) {
            try {
                t->rollback();
            } catch (const Error &) {
            }
        }
    ISC_STATUS_ARRAY status;
    isc_db_handle h = handle_;
    isc_detach_database(status, &h);
    // A connection the server would not let go stays open: the file is
    // still in use and nothing may treat it as closed.
    check(status);
    handle_ = 0;
}

void Connection::createDatabase(const QString &path, const QString &script, bool forcedWrites,
                                const QString &user, const QString &password)
{
    if (QFileInfo::exists(path))
        throw Error(QStringLiteral("Plik %1 już istnieje; nie zostanie nadpisany.").arg(path));
    const QString create = QStringLiteral("CREATE DATABASE '%1' USER '%2' PASSWORD '%3' PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1250")
                               .arg(QString(path).replace(QLatin1Char('\''), QStringLiteral("''")), user, password);
    const QByteArray createBytes = create.toUtf8();
    ISC_STATUS_ARRAY status;
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    isc_dsql_execute_immediate(status, &db, &tr, 0, createBytes.constData(), 3, nullptr);
    check(status);
    isc_detach_database(status, &db);
    check(status);

    // The schema is written without waiting for the disk at every commit;
    // the finished file then gets the write mode asked for.
    const QStringList params = {QStringLiteral("user_name=") + user, QStringLiteral("password=") + password,
                                QStringLiteral("lc_ctype=WIN1250")};
    {
        Connection c;
        c.setDatabaseName(path);
        c.setParams(params + QStringList{QStringLiteral("force_write=0")});
        try {
            c.open();
            Transaction t(&c);
            Query q(&c, &t);
            for (const QString &stmt : splitScript(script)) {
                q.setSql({stmt});
                q.execute();
                // Data definition must be committed before later statements use it.
                t.commit();
            }
            c.close();
        } catch (const Error &) {
            c.close();
            c.dropFile();
            throw;
        }
    }
    if (forcedWrites) {
        Connection c;
        c.setDatabaseName(path);
        c.setParams(params + QStringList{QStringLiteral("force_write=1")});
        c.open();
        c.close();
    }
}

void Connection::dropFile()
{
    // Removes the database file this connection names (used only for a file
    // it has just created and could not finish).
    if (connected())
        close();
    open();
    ISC_STATUS_ARRAY status;
    isc_db_handle h = handle_;
    isc_drop_database(status, &h);
    handle_ = 0;
    check(status);
}

// ---------------------------------------------------------------- Transaction

Transaction::Transaction(Connection *connection) : connection_(connection)
{
    if (connection_)
        connection_->transactions_.push_back(this);
}

Transaction::~Transaction()
{
    if (active()) {
        try {
            rollback();
        } catch (...) {
        }
    }
    if (connection_) {
        auto &v = connection_->transactions_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        for (Query *q : connection_->queries_)
            if (q->transaction_ == this)
                q->transaction_ = nullptr;
    }
}

void Transaction::start()
{
    if (!connection_ || !connection_->connected())
        throw Error(QStringLiteral("Brak połączenia z bazą danych"));
    if (active())
        throw Error(QStringLiteral("Transakcja jest już aktywna"));
    std::string tpb;
    tpb += char(isc_tpb_version3);
    bool access = false;
    for (const QString &raw : params_) {
        const QString p = raw.trimmed().toLower();
        struct Map { const char *name; int tag; };
        static const Map map[] = {
            {"read_committed", isc_tpb_read_committed}, {"rec_version", isc_tpb_rec_version},
            {"no_rec_version", isc_tpb_no_rec_version}, {"nowait", isc_tpb_nowait},
            {"wait", isc_tpb_wait}, {"concurrency", isc_tpb_concurrency},
            {"consistency", isc_tpb_consistency}, {"read", isc_tpb_read}, {"write", isc_tpb_write},
        };
        bool known = false;
        for (const Map &m : map)
            if (p == QLatin1String(m.name)) {
                tpb += char(m.tag);
                known = true;
                if (m.tag == isc_tpb_read || m.tag == isc_tpb_write)
                    access = true;
            }
        if (!known && !p.isEmpty())
            throw Error(QStringLiteral("Nieznany parametr transakcji: %1").arg(p));
    }
    if (!access)
        tpb += char(isc_tpb_write);
    isc_db_handle *db = connection_->handle();
    ISC_STATUS_ARRAY status;
    isc_tr_handle h = 0;
    isc_start_transaction(status, &h, 1, db, static_cast<unsigned short>(tpb.size()), tpb.data());
    check(status);
    handle_ = h;
}

void Transaction::ensureActive()
{
    if (!active())
        start();
}

void Transaction::end(bool commit)
{
    if (!active())
        throw Error(QStringLiteral("Transakcja nie jest aktywna"));
    // Queries whose cursor belongs to this transaction are closed first.
    if (connection_)
        for (Query *q : std::vector<Query *>(connection_->queries_))
            if (q->open_ && q->openedIn_ == this && std::find(connection_->queries_.begin(), connection_->queries_.end(), q) != connection_->queries_.end())
                q->close();
    ISC_STATUS_ARRAY status;
    isc_tr_handle h = handle_;
    if (commit)
        isc_commit_transaction(status, &h);
    else
        isc_rollback_transaction(status, &h);
    if (status[0] == 1 && status[1]) {
        if (!commit) {
            // A rollback that fails leaves nothing usable behind.
            handle_ = 0;
        }
        throwStatus(status);
    }
    handle_ = 0;
}

void Transaction::commit()
{
    end(true);
}

void Transaction::rollback()
{
    end(false);
}

// ---------------------------------------------------------------- Query

Query::Query(Connection *connection, Transaction *transaction, QObject *parent)
    : QObject(parent), connection_(connection), transaction_(transaction)
{
    if (connection_)
        connection_->queries_.push_back(this);
}

Query::~Query()
{
    detach();
    if (connection_) {
        auto &v = connection_->queries_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
}

void Query::detach()
{
    // Releases the server resources; safe while the connection is still open.
    try {
        close();
        unprepare();
    } catch (...) {
        statement_ = 0;
        open_ = cursorOpen_ = false;
    }
}

void Query::requireConnection() const
{
    if (!connection_ || !connection_->connected())
        throw Error(QStringLiteral("Brak połączenia z bazą danych"));
    if (!transaction_)
        throw Error(QStringLiteral("Zapytanie nie ma przypisanej transakcji"));
}

void Query::setTransaction(Transaction *t)
{
    if (t == transaction_)
        return;
    close();
    transaction_ = t;
}

void Query::setSql(const QStringList &lines)
{
    close();
    unprepare();
    sql_ = lines;
    params_.clear();
    paramsParsed_ = false;
}

void Query::clearSql()
{
    setSql({});
}

void Query::addSql(const QString &line)
{
    QStringList l = sql_;
    // A line may itself hold line breaks; each piece is a line of its own.
    l << line.split(QLatin1Char('\n'));
    const auto keep = params_;
    setSql(l);
    params_ = keep;
}

void Query::parseParams()
{
    // Named parameters ":Name" become "?" markers; colons inside quoted
    // literals, quoted identifiers and comments are left alone.
    const QString src = sqlText();
    QString out;
    out.reserve(src.size());
    paramOrder_.clear();
    const qsizetype n = src.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = src[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            qsizetype j = i + 1;
            while (j < n) {
                if (src[j] == c) {
                    if (j + 1 < n && src[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const qsizetype end = std::min(j, n - 1);
            out += src.mid(i, end - i + 1);
            i = end;
        } else if (c == QLatin1Char('-') && i + 1 < n && src[i + 1] == QLatin1Char('-')) {
            qsizetype j = src.indexOf(QLatin1Char('\n'), i);
            if (j < 0)
                j = n;
            out += src.mid(i, j - i);
            i = j - 1;
        } else if (c == QLatin1Char('/') && i + 1 < n && src[i + 1] == QLatin1Char('*')) {
            qsizetype j = src.indexOf(QStringLiteral("*/"), i + 2);
            j = j < 0 ? n : j + 2;
            out += src.mid(i, j - i);
            i = j - 1;
        } else if (c == QLatin1Char(':') && i + 1 < n && (src[i + 1].isLetter() || src[i + 1] == QLatin1Char('_'))) {
            qsizetype j = i + 1;
            while (j < n && (src[j].isLetterOrNumber() || src[j] == QLatin1Char('_') || src[j] == QLatin1Char('$')))
                ++j;
            paramOrder_.push_back(src.mid(i + 1, j - i - 1).toUpper());
            out += QLatin1Char('?');
            i = j - 1;
        } else {
            out += c;
        }
    }
    preparedText_ = out;
    paramsParsed_ = true;
}

void Query::setParam(const QString &name, const QString &value)
{
    Param p;
    p.kind = Param::Text;
    p.bytes = encodeOrThrow(value);
    params_[name.toUpper()] = std::move(p);
}

void Query::setParamNull(const QString &name)
{
    params_[name.toUpper()] = Param{};
}

void Query::setParamBlob(const QString &name, const QByteArray &bytes)
{
    Param p;
    p.kind = Param::Blob;
    p.bytes = bytes;
    params_[name.toUpper()] = std::move(p);
}

void Query::clearParams()
{
    params_.clear();
}

QStringList Query::paramNames() const
{
    QStringList l;
    for (const QString &n : paramOrder_)
        if (!l.contains(n))
            l << n;
    return l;
}

void Query::prepare()
{
    if (prepared())
        return;
    requireConnection();
    if (!paramsParsed_)
        parseParams();
    transaction_->ensureActive();

    const QByteArray text = encodeOrThrow(preparedText_);
    if (observer())
        observer()(preparedText_);

    ISC_STATUS_ARRAY status;
    isc_db_handle *db = connection_->handle();
    isc_stmt_handle st = 0;
    isc_dsql_allocate_statement(status, db, &st);
    check(status);

    auto out = allocDa(20);
    isc_tr_handle *tr = transaction_->handle();
    isc_dsql_prepare(status, tr, &st, 0, text.constData(), 3, da(out));
    if (status[0] == 1 && status[1]) {
        ISC_STATUS_ARRAY s2;
        isc_dsql_free_statement(s2, &st, DSQL_drop);
        throwStatus(status);
    }
    auto fail = [&](const ISC_STATUS *s) {
        ISC_STATUS_ARRAY s2;
        isc_dsql_free_statement(s2, &st, DSQL_drop);
        throwStatus(s);
    };

    // Statement type.
    char item = isc_info_sql_stmt_type;
    char info[16];
    isc_dsql_sql_info(status, &st, 1, &item, sizeof info, info);
    if (status[0] == 1 && status[1])
        fail(status);
    int stmtType = 0;
    if (info[0] == isc_info_sql_stmt_type) {
        const short len = short(isc_vax_integer(info + 1, 2));
        stmtType = int(isc_vax_integer(info + 3, len));
    }
    isSelect_ = stmtType == isc_info_sql_stmt_select || stmtType == isc_info_sql_stmt_select_for_upd;

    // Result columns.
    if (da(out)->sqld > da(out)->sqln) {
        out = allocDa(da(out)->sqld);
        isc_dsql_describe(status, &st, 1, da(out));
        if (status[0] == 1 && status[1])
            fail(status);
    }
    const int nOut = da(out)->sqld;
    fields_.clear();
    size_t total = 0;
    for (int i = 0; i < nOut; ++i) {
        XSQLVAR &v = da(out)->sqlvar[i];
        Field f;
        f.type = short(v.sqltype & ~1);
        f.scale = v.sqlscale;
        f.subType = v.sqlsubtype;
        f.length = v.sqllen;
        f.name = decodeMessage(std::string(v.aliasname, size_t(std::max<short>(v.aliasname_length, 0))).c_str()).toUpper();
        fields_.push_back(f);
        total += (size_t(v.sqllen) + 2 + 7) & ~size_t(7);
    }
    outBuffer_.assign(total + 8, 0);
    outNulls_.assign(size_t(std::max(nOut, 1)), 0);
    size_t off = 0;
    for (int i = 0; i < nOut; ++i) {
        XSQLVAR &v = da(out)->sqlvar[i];
        v.sqldata = outBuffer_.data() + off;
        v.sqlind = &outNulls_[size_t(i)];
        v.sqltype = short(v.sqltype | 1);
        off += (size_t(v.sqllen) + 2 + 7) & ~size_t(7);
    }
    outDa_ = std::move(out);

    // Parameters: each is sent as text in the connection's character set
    // (the server converts it to the column's kind), a blob id, or NULL.
    auto in = allocDa(int(paramOrder_.size()));
    if (!paramOrder_.empty()) {
        isc_dsql_describe_bind(status, &st, 1, da(in));
        if (status[0] == 1 && status[1])
            fail(status);
        if (da(in)->sqld > da(in)->sqln) {
            in = allocDa(da(in)->sqld);
            isc_dsql_describe_bind(status, &st, 1, da(in));
            if (status[0] == 1 && status[1])
                fail(status);
        }
        if (da(in)->sqld != short(paramOrder_.size())) {
            ISC_STATUS_ARRAY s2;
            isc_dsql_free_statement(s2, &st, DSQL_drop);
            throw Error(QStringLiteral("Liczba parametrów zapytania nie zgadza się z jego treścią"));
        }
    }
    inNulls_.assign(size_t(std::max<int>(da(in)->sqld, 1)), 0);
    inTypes_.clear();
    inScales_.clear();
    for (int i = 0; i < da(in)->sqld; ++i) {
        inTypes_.push_back(short(da(in)->sqlvar[i].sqltype & ~1));
        inScales_.push_back(da(in)->sqlvar[i].sqlscale);
    }
    inDa_ = std::move(in);
    statement_ = st;
}

void Query::unprepare()
{
    close();
    if (!statement_)
        return;
    isc_stmt_handle st = statement_;
    statement_ = 0;
    fields_.clear();
    outDa_.reset();
    inDa_.reset();
    if (connection_ && connection_->connected()) {
        ISC_STATUS_ARRAY status;
        isc_dsql_free_statement(status, &st, DSQL_drop);
        check(status);
    }
}

namespace {

// The text forms the layer sends for each kind of parameter; anything else
// would be converted by the server's own lenient rules ("24.12.2006",
// "today", "1e3", "12.345" rounded) and so store what nobody typed.
QString formError(short type, short scale, const QByteArray &value)
{
    static const QRegularExpression date(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    static const QRegularExpression stamp(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}( \\d{2}:\\d{2}(:\\d{2}(\\.\\d{1,4})?)?)?$"));
    static const QRegularExpression time(QStringLiteral("^\\d{2}:\\d{2}(:\\d{2}(\\.\\d{1,4})?)?$"));
    static const QRegularExpression integer(QStringLiteral("^\\s*[-+]?\\d+\\s*$"));
    // "12", "12.5", "-.50" (an amount completed from "-.5"), "+3".
    static const QRegularExpression decimal(QStringLiteral("^\\s*[-+]?(\\d+(\\.(\\d+))?|\\.(\\d+))\\s*$"));
    const QString v = QString::fromLatin1(value);
    switch (type) {
    case SQL_TYPE_DATE:
        return date.match(v).hasMatch() ? QString() : QStringLiteral("datą w postaci rrrr-mm-dd");
    case SQL_TIMESTAMP:
        return stamp.match(v).hasMatch() ? QString() : QStringLiteral("datą w postaci rrrr-mm-dd gg:mm:ss");
    case SQL_TYPE_TIME:
        return time.match(v).hasMatch() ? QString() : QStringLiteral("czasem w postaci gg:mm:ss");
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        if (scale == 0)
            return integer.match(v).hasMatch() ? QString() : QStringLiteral("liczbą całkowitą");
        else {
            const QRegularExpressionMatch m = decimal.match(v);
            if (!m.hasMatch() || std::max(m.captured(3).size(), m.captured(4).size()) > -scale)
                return QStringLiteral("liczbą o co najwyżej %1 miejscach po kropce").arg(-scale);
            return {};
        }
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return decimal.match(v).hasMatch() ? QString() : QStringLiteral("liczbą");
    default:
        return {};
    }
}

} // namespace

void Query::bindParams()
{
    XSQLDA *in = da(inDa_);
    const int n = in->sqld;
    // A value bound under a name the statement does not have would be lost
    // without a word while the real parameter went as NULL.
    for (const auto &[name, param] : params_)
        if (std::find(paramOrder_.begin(), paramOrder_.end(), name) == paramOrder_.end())
            throw Error(QStringLiteral("Parametr \u201E%1\u201D nie występuje w zapytaniu").arg(name));
    inBuffer_.clear();
    // First pass: sizes, so that the buffer does not move while pointers are set.
    std::vector<QByteArray> values(static_cast<size_t>(n));
    std::vector<int> kinds(static_cast<size_t>(n), int(Param::Null));
    for (int i = 0; i < n; ++i) {
        auto it = params_.find(paramOrder_[size_t(i)]);
        if (it == params_.end())
            continue;
        const short type = inTypes_[size_t(i)];
        kinds[size_t(i)] = it->second.kind;
        values[size_t(i)] = it->second.bytes;
        if (it->second.kind == Param::Text && values[size_t(i)].isEmpty()) {
            // An empty text is NULL for every kind but text.
            if (type != SQL_TEXT && type != SQL_VARYING && type != SQL_BLOB)
                kinds[size_t(i)] = Param::Null;
        } else if (it->second.kind == Param::Text) {
            const QString expected = formError(type, inScales_[size_t(i)], values[size_t(i)]);
            if (!expected.isEmpty())
                throw Error(QStringLiteral("Wartość \u201E%1\u201D parametru %2 nie jest %3")
                                .arg(text::decode(values[size_t(i)]), it->first, expected));
        }
    }
    size_t total = 0;
    for (int i = 0; i < n; ++i)
        total += (size_t(values[size_t(i)].size()) + sizeof(ISC_QUAD) + 2 + 7) & ~size_t(7);
    inBuffer_.assign(total + 8, 0);

    ISC_STATUS_ARRAY status;
    size_t off = 0;
    for (int i = 0; i < n; ++i) {
        XSQLVAR &v = in->sqlvar[i];
        const short describedType = inTypes_[size_t(i)];
        char *slot = inBuffer_.data() + off;
        off += (size_t(values[size_t(i)].size()) + sizeof(ISC_QUAD) + 2 + 7) & ~size_t(7);
        v.sqlind = &inNulls_[size_t(i)];
        if (kinds[size_t(i)] == Param::Null) {
            inNulls_[size_t(i)] = -1;
            v.sqltype = short(SQL_VARYING | 1);
            v.sqllen = 0;
            v.sqldata = slot;
            continue;
        }
        inNulls_[size_t(i)] = 0;
        const QByteArray &bytes = values[size_t(i)];
        if (describedType == SQL_BLOB) {
            // Text or bytes for a blob column: written as a new blob.
            isc_blob_handle bh = 0;
            ISC_QUAD id;
            isc_db_handle *db = connection_->handle();
            isc_tr_handle *tr = transaction_->handle();
            isc_create_blob2(status, db, tr, &bh, &id, 0, nullptr);
            check(status);
            for (qsizetype pos = 0; pos < bytes.size(); pos += kBlobSegment) {
                const unsigned short len = static_cast<unsigned short>(std::min<qsizetype>(kBlobSegment, bytes.size() - pos));
                isc_put_segment(status, &bh, len, bytes.constData() + pos);
                if (status[0] == 1 && status[1]) {
                    ISC_STATUS_ARRAY s2;
                    isc_cancel_blob(s2, &bh);
                    throwStatus(status);
                }
            }
            isc_close_blob(status, &bh);
            check(status);
            std::memcpy(slot, &id, sizeof id);
            v.sqltype = short(SQL_BLOB | 1);
            v.sqllen = sizeof(ISC_QUAD);
            v.sqldata = slot;
            continue;
        }
        if (bytes.size() > 32765)
            throw Error(QStringLiteral("Wartość parametru jest za długa"));
        const short len = short(bytes.size());
        std::memcpy(slot, &len, 2);
        std::memcpy(slot + 2, bytes.constData(), size_t(bytes.size()));
        v.sqltype = short(SQL_VARYING | 1);
        v.sqlsubtype = kCharsetWin1250;
        v.sqllen = len;
        v.sqlscale = 0;
        v.sqldata = slot;
    }
}

void Query::resetRows()
{
    arena_.clear();
    rowOffsets_.clear();
    current_ = -1;
    eof_ = bof_ = true;
}

void Query::open()
{
    if (open_)
        return;
    requireConnection();
    prepare();
    if (!isSelect_)
        throw Error(QStringLiteral("Zapytanie nie zwraca wierszy"));
    transaction_->ensureActive();
    bindParams();
    ISC_STATUS_ARRAY status;
    isc_tr_handle *tr = transaction_->handle();
    isc_stmt_handle st = statement_;
    isc_dsql_execute2(status, tr, &st, 1, inDa_ && da(inDa_)->sqld ? da(inDa_) : nullptr, nullptr);
    check(status);
    cursorOpen_ = true;
    cursorTransaction_ = transaction_;
    openedIn_ = transaction_;
    open_ = true;
    resetRows();
    // The first row becomes current; a failure here leaves the query closed.
    try {
        if (fetchRow()) {
            current_ = 0;
            eof_ = false;
        }
    } catch (...) {
        closeCursor();
        open_ = false;
        openedIn_ = nullptr;
        resetRows();
        throw;
    }
    bof_ = true;
    emit opened();
    if (!rowOffsets_.empty())
        emit rowsFetched(0, recordCount() - 1);
    emit currentChanged(current_);
}

void Query::closeCursor()
{
    if (!cursorOpen_)
        return;
    cursorOpen_ = false;
    cursorTransaction_ = nullptr;
    if (statement_ && connection_ && connection_->connected()) {
        ISC_STATUS_ARRAY status;
        isc_stmt_handle st = statement_;
        isc_dsql_free_statement(status, &st, DSQL_close);
        // A cursor already closed by the server is not an error worth raising.
    }
}

void Query::close()
{
    if (!open_)
        return;
    closeCursor();
    open_ = false;
    cursorTransaction_ = nullptr;
    openedIn_ = nullptr;
    resetRows();
    emit closed();
    emit currentChanged(-1);
}

void Query::execute()
{
    requireConnection();
    prepare();
    transaction_->ensureActive();
    if (isSelect_) {
        // A select run as a statement: its rows are read and dropped.
        close();
        open();
        return;
    }
    bindParams();
    ISC_STATUS_ARRAY status;
    isc_tr_handle *tr = transaction_->handle();
    isc_stmt_handle st = statement_;
    XSQLDA *out = outDa_ && da(outDa_)->sqld ? da(outDa_) : nullptr;
    resetRows();
    isc_dsql_execute2(status, tr, &st, 1, inDa_ && da(inDa_)->sqld ? da(inDa_) : nullptr, out);
    check(status);
    if (out) {
        // The single row of EXECUTE PROCEDURE or RETURNING is readable as the
        // current row until the next execute.
        packRow(transaction_);
        current_ = 0;
    }
    rowsAffected_ = 0;
    char items[] = {isc_info_sql_records};
    char info[64];
    isc_dsql_sql_info(status, &st, sizeof items, items, sizeof info, info);
    if (!(status[0] == 1 && status[1]) && info[0] == isc_info_sql_records) {
        const char *p = info + 3;
        while (*p != isc_info_end) {
            const char tag = *p++;
            const short len = short(isc_vax_integer(p, 2));
            p += 2;
            const int count = int(isc_vax_integer(p, len));
            p += len;
            if (tag == isc_info_req_insert_count || tag == isc_info_req_update_count || tag == isc_info_req_delete_count)
                rowsAffected_ += count;
        }
    }
}

bool Query::fetchRow()
{
    if (!cursorOpen_)
        return false;
    ISC_STATUS_ARRAY status;
    isc_stmt_handle st = statement_;
    const ISC_STATUS rc = isc_dsql_fetch(status, &st, 1, da(outDa_));
    if (rc == 100) {
        closeCursor();
        return false;
    }
    check(status);
    packRow(cursorTransaction_);
    return true;
}

void Query::packRow(Transaction *in)
{
    // The row just received goes into the arena.
    ISC_STATUS_ARRAY status;
    const XSQLDA *out = da(outDa_);
    const size_t start = arena_.size();
    for (int i = 0; i < out->sqld; ++i) {
        const XSQLVAR &v = out->sqlvar[i];
        const bool null = *v.sqlind < 0;
        const short type = short(v.sqltype & ~1);
        QByteArray blob;
        const char *data = v.sqldata;
        quint32 size = 0;
        if (!null) {
            if (type == SQL_VARYING) {
                short len;
                std::memcpy(&len, v.sqldata, 2);
                data = v.sqldata + 2;
                size = quint32(len);
            } else if (type == SQL_BLOB) {
                // Blob contents are read at once, while the transaction is open.
                ISC_QUAD id;
                std::memcpy(&id, v.sqldata, sizeof id);
                isc_blob_handle bh = 0;
                isc_db_handle *db = connection_->handle();
                isc_tr_handle *tr = in->handle();
                isc_open_blob2(status, db, tr, &bh, &id, 0, nullptr);
                check(status);
                char seg[kBlobSegment];
                for (;;) {
                    unsigned short got = 0;
                    const ISC_STATUS r = isc_get_segment(status, &bh, &got, sizeof seg, seg);
                    if (r == 0 || status[1] == isc_segment) {
                        blob.append(seg, got);
                        continue;
                    }
                    if (status[1] == isc_segstr_eof)
                        break;
                    ISC_STATUS_ARRAY s2;
                    isc_close_blob(s2, &bh);
                    throwStatus(status);
                }
                isc_close_blob(status, &bh);
                data = blob.constData();
                size = quint32(blob.size());
            } else {
                size = quint32(v.sqllen);
            }
        }
        const size_t pos = arena_.size();
        arena_.resize(pos + 1 + 4 + size);
        arena_[pos] = null ? 1 : 0;
        std::memcpy(arena_.data() + pos + 1, &size, 4);
        if (size)
            std::memcpy(arena_.data() + pos + 5, data, size);
    }
    rowOffsets_.push_back(start);
}

void Query::fetchAll()
{
    if (!open_)
        return;
    const int before = recordCount();
    while (fetchRow()) {
    }
    if (recordCount() > before)
        emit rowsFetched(before, recordCount() - 1);
}

void Query::setCurrent(int row)
{
    if (row == current_)
        return;
    current_ = row;
    emit currentChanged(current_);
}

void Query::first()
{
    if (!open_)
        return;
    bof_ = true;
    eof_ = rowOffsets_.empty();
    setCurrent(rowOffsets_.empty() ? -1 : 0);
}

void Query::next()
{
    if (!open_)
        return;
    if (current_ + 1 >= recordCount()) {
        const int before = recordCount();
        if (!fetchRow()) {
            eof_ = true;
            return;
        }
        emit rowsFetched(before, recordCount() - 1);
    }
    bof_ = false;
    eof_ = false;
    setCurrent(current_ + 1);
}

void Query::prior()
{
    if (!open_)
        return;
    if (current_ <= 0) {
        bof_ = true;
        return;
    }
    bof_ = false;
    eof_ = false;
    setCurrent(current_ - 1);
}

void Query::last()
{
    if (!open_)
        return;
    fetchAll();
    eof_ = true;
    bof_ = rowOffsets_.empty();
    setCurrent(recordCount() - 1);
}

void Query::moveTo(int row)
{
    if (!open_ || row < 0 || row >= recordCount())
        return;
    bof_ = eof_ = false;
    setCurrent(row);
}

QString Query::fieldName(int column) const
{
    return column >= 0 && column < fieldCount() ? fields_[size_t(column)].name : QString();
}

FieldKind Query::fieldKind(int column) const
{
    if (column < 0 || column >= fieldCount())
        return FieldKind::Other;
    const Field &f = fields_[size_t(column)];
    switch (f.type) {
    case SQL_TEXT:
    case SQL_VARYING: return FieldKind::Text;
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: return f.scale < 0 ? FieldKind::Decimal : FieldKind::Integer;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return FieldKind::Float;
    case SQL_TYPE_DATE: return FieldKind::Date;
    case SQL_TYPE_TIME: return FieldKind::Time;
    case SQL_TIMESTAMP: return FieldKind::Timestamp;
    case SQL_BLOB: return FieldKind::Blob;
    case SQL_BOOLEAN: return FieldKind::Boolean;
    default: return FieldKind::Other;
    }
}

int Query::fieldIndex(const QString &name) const
{
    for (size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int Query::requireField(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw Error(QStringLiteral("Pole '%1' nie istnieje").arg(name));
    return i;
}

const char *Query::cell(int row, int column, bool &null, quint32 &size) const
{
    null = true;
    size = 0;
    if (row < 0 || row >= recordCount() || column < 0 || column >= fieldCount())
        return nullptr;
    const char *p = arena_.data() + rowOffsets_[size_t(row)];
    for (int c = 0; c < column; ++c) {
        quint32 s;
        std::memcpy(&s, p + 1, 4);
        p += 5 + s;
    }
    null = p[0] != 0;
    std::memcpy(&size, p + 1, 4);
    return p + 5;
}

QString Query::text(int row, int column) const
{
    bool null;
    quint32 size;
    const char *d = cell(row, column, null, size);
    if (null)
        return {};
    const Field &f = fields_[size_t(column)];
    switch (f.type) {
    case SQL_TEXT:
    case SQL_VARYING:
    case SQL_BLOB:
        return text::decode(QByteArrayView(d, qsizetype(size)));
    case SQL_SHORT: {
        short v;
        std::memcpy(&v, d, 2);
        return integerText(v, f.scale);
    }
    case SQL_LONG: {
        ISC_LONG v;
        std::memcpy(&v, d, 4);
        return integerText(v, f.scale);
    }
    case SQL_INT64: {
        ISC_INT64 v;
        std::memcpy(&v, d, 8);
        return integerText(v, f.scale);
    }
    case SQL_FLOAT: {
        float v;
        std::memcpy(&v, d, 4);
        char buf[64];
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        return QString::fromLatin1(buf, r.ptr - buf);
    }
    case SQL_DOUBLE:
    case SQL_D_FLOAT: {
        double v;
        std::memcpy(&v, d, 8);
        char buf[64];
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        return QString::fromLatin1(buf, r.ptr - buf);
    }
    case SQL_TYPE_DATE: {
        ISC_DATE v;
        std::memcpy(&v, d, sizeof v);
        return dateText(v);
    }
    case SQL_TYPE_TIME: {
        ISC_TIME v;
        std::memcpy(&v, d, sizeof v);
        return timeText(v);
    }
    case SQL_TIMESTAMP: {
        ISC_TIMESTAMP v;
        std::memcpy(&v, d, sizeof v);
        QString s = dateText(v.timestamp_date);
        if (v.timestamp_time != 0)
            s += QLatin1Char(' ') + timeText(v.timestamp_time);
        return s;
    }
    case SQL_BOOLEAN:
        return d[0] ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return {};
    }
}

bool Query::isNull(int row, int column) const
{
    bool null;
    quint32 size;
    cell(row, column, null, size);
    return null;
}

QByteArray Query::bytes(int row, int column) const
{
    bool null;
    quint32 size;
    const char *d = cell(row, column, null, size);
    if (null || !d)
        return {};
    const short type = fields_[size_t(column)].type;
    if (type == SQL_TEXT || type == SQL_VARYING || type == SQL_BLOB)
        return QByteArray(d, qsizetype(size));
    return text(row, column).toUtf8();
}

QString Query::fieldText(const QString &name) const
{
    return text(current_, requireField(name));
}

bool Query::isNull(const QString &name) const
{
    return isNull(current_, requireField(name));
}

QByteArray Query::fieldBytes(const QString &name) const
{
    return bytes(current_, requireField(name));
}

bool Query::locate(const QString &field, const QString &value, Locate mode)
{
    if (!open_)
        return false;
    const int col = requireField(field);
    fetchAll();
    for (int r = 0; r < recordCount(); ++r) {
        const QString t = text(r, col);
        const bool hit = mode == Locate::Exact ? t == value : t.startsWith(value, Qt::CaseInsensitive);
        if (hit) {
            bof_ = eof_ = false;
            setCurrent(r);
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- DataSource

DataSource::DataSource(Query *query, QObject *parent) : QObject(parent), query_(query)
{
    connect(query, &Query::opened, this, &DataSource::reset);
    connect(query, &Query::closed, this, &DataSource::reset);
    connect(query, &Query::rowsFetched, this, &DataSource::rowsFetched);
    connect(query, &Query::currentChanged, this, &DataSource::currentChanged);
}

} // namespace sql
